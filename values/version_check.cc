// Fails the build when values/version_info.h and the CMake project version drift apart.
#include "values/version_info.h"

static_assert(ostrevin::kVersionMajor == OSTREVIN_PROJECT_VERSION_MAJOR);
static_assert(ostrevin::kVersionMinor == OSTREVIN_PROJECT_VERSION_MINOR);
static_assert(ostrevin::kVersionRevision == OSTREVIN_PROJECT_VERSION_PATCH);
