#ifndef OSTREVIN_HOST_ARGS_H_
#define OSTREVIN_HOST_ARGS_H_

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "values/error.h"

namespace ostrevin {

// An option a sub-command accepts: a flag ("--crlf") or an option with a value ("--settings
// FILE" or "--settings=FILE").
struct OptionSpec {
  std::string_view name;  // with the leading "--"
  bool takes_value = false;
};

struct ParsedArgs {
  std::vector<std::string> positional;
  // The options given, by name; a flag maps to the empty text, a repeated option to its last value.
  std::map<std::string, std::string, std::less<>> options;
  bool help = false;  // "--help" or "-h" was given

  bool Has(std::string_view name) const { return options.find(name) != options.end(); }
};

// Sorts a sub-command's arguments into options and positional arguments. "--" ends the options;
// "-" alone is positional. Fails with a one-line message for an unknown option, a value given
// to a flag, or an option whose value is missing.
Result<ParsedArgs> ParseArgs(std::span<const std::string> args, std::span<const OptionSpec> specs);

}  // namespace ostrevin

#endif  // OSTREVIN_HOST_ARGS_H_
