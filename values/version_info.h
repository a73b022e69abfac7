#ifndef OSTREVIN_VALUES_VERSION_INFO_H_
#define OSTREVIN_VALUES_VERSION_INFO_H_

#include <string_view>

namespace ostrevin {

// The component's identity as its version record gives it. The build checks that the numbers
// agree with the project version in CMake (values/version_check.cc).
inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 7;
inline constexpr std::string_view kFileVersion = "2.00.0007";  // also the product version

inline constexpr std::string_view kFileDescription = "Diagnostic Program";
inline constexpr std::string_view kProductName = "Diagnostic Program";
inline constexpr std::string_view kComments = "Diagnostic Program For Quorva";
inline constexpr std::string_view kInternalName = "Ostrevin";
inline constexpr std::string_view kOriginalFileName = "Ostrevin.dll";

}  // namespace ostrevin

#endif  // OSTREVIN_VALUES_VERSION_INFO_H_
