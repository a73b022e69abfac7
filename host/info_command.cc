#include <ostream>

#include "abi/abi_values.h"
#include "client/dispatch_object.h"
#include "host/args.h"
#include "host/library_choice.h"
#include "host/sub_commands.h"
#include "values/version_info.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin info [--library PATH]\n"
    "\n"
    "Prints what the add-on tells its host: the constants of its descriptor clsInfo, the\n"
    "enumeration LinkTypeConstants, and the library's identity.\n"
    "\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {kLibraryOption};

// `value` as the line shows it: texts in quotes; a Variant member also names the type it holds.
std::string ValueText(const Variant& value, std::uint16_t member_type) {
  if (value.IsArray()) return "(an array)";
  std::string text =
      value.type() == VarType::String ? "\"" + *value.ToString() + "\"" : *value.ToString();
  if (member_type == kOstVtVariant)
    text += " (a Variant holding " + std::string(VarTypeName(value.type())) + ")";
  return text;
}

std::string TypeName(std::uint16_t type) {
  std::optional<VarType> ours = OurVarType(type);
  return ours ? std::string(VarTypeName(*ours)) : "?";
}

Status PrintDescriptor(const DispatchObject& info, std::ostream& out) {
  Result<std::vector<OstMemberDesc>> members = info.Members();
  if (!members) return members.error();
  out << kProgIdClsInfo << '\n';
  for (const OstMemberDesc& member : *members) {
    Result<Variant> value = info.Get(member.dispid);
    if (!value) return value.error();
    out << "  " << member.name << " As " << TypeName(member.type) << " = "
        << ValueText(*value, member.type) << '\n';
  }
  return Ok{};
}

Status PrintLibrary(IOstTypeLib& lib, const std::string& where, std::ostream& out) {
  ComPtr<IOstTypeInfo> link_types;
  OstLibAttr attr{};
  if (!OstSucceeded(lib.GetTypeInfoOfGuid(kGuidLinkTypeConstants, link_types.Receive())) ||
      !OstSucceeded(lib.GetLibAttr(&attr)))
    return Error::InvalidInput("the library's type information is not readable");
  Result<std::vector<OstMemberDesc>> constants = MembersOf(*link_types.get());
  if (!constants) return constants.error();
  out << "\nLinkTypeConstants\n";
  for (const OstMemberDesc& constant : *constants)
    out << "  " << constant.name << " = " << constant.constant << '\n';
  out << "\n"
      << where << "\n"
      << "  File description: " << attr.file_description << '\n'
      << "  Product name: " << attr.product_name << '\n'
      << "  Comment: " << attr.comments << '\n'
      << "  File version: " << attr.file_version << '\n'
      << "  Product version: " << attr.file_version << '\n'
      << "  Internal name: " << attr.internal_name << '\n'
      << "  File name: " << attr.original_file_name << '\n'
      << "  Self-registering: " << (attr.self_registering != 0 ? "yes" : "no") << '\n';
  return Ok{};
}

int RunInfo(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(InfoCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  if (!parsed->positional.empty())
    return ReportUsageError(InfoCommand(), "too many arguments", io.err);
  Result<ComPtr<IOstDispatch>> object =
      CreateComponent<IOstDispatch>(*parsed, kProgIdClsInfo, kClsidClsInfo);
  if (!object) return ReportFailure(object.error(), io.err);
  const DispatchObject info(*object);
  ComPtr<IOstTypeInfo> type;
  ComPtr<IOstTypeLib> lib;
  if (!OstSucceeded((*object)->GetTypeInfo(type.Receive())) ||
      !OstSucceeded(type->GetContainingTypeLib(lib.Receive())))
    return ReportFailure(Error::InvalidInput("the library has no type information"), io.err);
  const std::filesystem::path library = ChooseLibrary(*parsed);
  const std::string where =
      library.empty() ? "Library (from the component registry)" : "Library " + library.string();
  Status printed = PrintDescriptor(info, io.out);
  if (printed) printed = PrintLibrary(*lib.get(), where, io.out);
  if (!printed) return ReportFailure(printed.error(), io.err);
  return kExitSuccess;
}

// The library's file version, from its type information.
Result<std::string> LibraryVersion(const ParsedArgs& parsed) {
  Result<ComPtr<IOstDispatch>> object =
      CreateComponent<IOstDispatch>(parsed, kProgIdClsInfo, kClsidClsInfo);
  if (!object) return object.error();
  ComPtr<IOstTypeInfo> type;
  ComPtr<IOstTypeLib> lib;
  OstLibAttr attr{};
  if (!OstSucceeded((*object)->GetTypeInfo(type.Receive())) ||
      !OstSucceeded(type->GetContainingTypeLib(lib.Receive())) ||
      !OstSucceeded(lib->GetLibAttr(&attr)))
    return Error::InvalidInput("the library has no type information");
  return std::string(attr.file_version);
}

}  // namespace

int PrintVersions(std::ostream& out, std::ostream& err) {
  out << "ostrevin " << kFileVersion << '\n';
  const ParsedArgs defaults;
  Result<std::string> version = LibraryVersion(defaults);
  if (!version) return ReportFailure(version.error(), err);
  const std::filesystem::path library = ChooseLibrary(defaults);
  out << (library.empty() ? std::string("libOstrevin.so (from the component registry)")
                          : library.string())
      << ' ' << *version << '\n';
  return kExitSuccess;
}

const SubCommand& InfoCommand() {
  static constexpr SubCommand kInfo{"info", "print the add-on's descriptor and identity", kHelp,
                                    RunInfo};
  return kInfo;
}

}  // namespace ostrevin
