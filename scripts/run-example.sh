#!/usr/bin/env bash
# The main job: build ostrevin and run it on a bundled example chart with the default settings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREVIN_BUILD_TESTS=OFF >/dev/null
cmake --build build -j2 --target ostrevin >/dev/null
exec build/host/ostrevin diagnose examples/measurements.json "$@"
