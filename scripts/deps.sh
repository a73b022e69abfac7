#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
# As root it installs them; otherwise it prints the exact apt-get line and fails.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  nlohmann-json3-dev
  # The chart-file reader: simdjson's on-demand parser.
  libsimdjson-dev
  # The windows: Qt 6 Widgets and Test (with OpenGL headers), the offscreen platform plugin for
  # the window tests, and the sans serif font the windows are laid out for.
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-liberation2
  # scripts/fuzz.sh: libFuzzer and the sanitizer runtimes come with clang; scripts/measure.sh
  # reads peak memory with GNU time.
  clang libclang-rt-14-dev time
  # ostrevin plot: SVG output (Qt6::Svg)
  qt6-svg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
