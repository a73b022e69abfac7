#include "host/library_choice.h"

#include <cstdlib>
#include <system_error>

namespace ostrevin {
namespace {

constexpr std::string_view kLibraryFile = "libOstrevin.so";

// The library installed beside the running command, if there is one.
std::filesystem::path BesideCommand() {
  std::error_code error;
  const std::filesystem::path command = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  for (const char* folder : {"../lib", "../addon"}) {
    std::filesystem::path candidate = command.parent_path() / folder / kLibraryFile;
    if (std::filesystem::is_regular_file(candidate, error))
      return std::filesystem::weakly_canonical(candidate, error);
  }
  return {};
}

}  // namespace

std::filesystem::path ChooseLibrary(const ParsedArgs& args) {
  auto given = args.options.find(kLibraryOption.name);
  if (given != args.options.end()) return given->second;
  const char* env = std::getenv("OSTREVIN_LIBRARY");
  if (env != nullptr && *env != '\0') return env;
  return BesideCommand();
}

Result<ChartObject> NewChartObject(const ParsedArgs& args) {
  Result<ComPtr<IOstDispatch>> object =
      CreateComponent<IOstDispatch>(args, kProgIdClsData, kClsidClsData);
  if (!object) return object.error();
  return ChartObject::Create(std::move(object).value());
}

}  // namespace ostrevin
