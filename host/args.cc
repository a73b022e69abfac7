#include "host/args.h"

#include <algorithm>
#include <cctype>

namespace ostrevin {

Result<ParsedArgs> ParseArgs(std::span<const std::string> args, std::span<const OptionSpec> specs) {
  ParsedArgs parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // A negative number ("-1", a setting's value) is an argument, not an option.
    const bool negative_number =
        arg.size() > 1 && (std::isdigit(static_cast<unsigned char>(arg[1])) || arg[1] == '.');
    if (options_ended || arg == "-" || arg.empty() || arg[0] != '-' || negative_number) {
      parsed.positional.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      parsed.help = true;
    } else {
      const std::size_t equals = arg.find('=');
      const std::string name = arg.substr(0, equals);
      auto known = std::find_if(specs.begin(), specs.end(),
                                [&](const OptionSpec& s) { return s.name == name; });
      if (known == specs.end()) return Error::InvalidInput("unknown option " + name);
      if (!known->takes_value && equals != arg.npos)
        return Error::InvalidInput("option " + name + " takes no value");
      if (known->takes_value && equals == arg.npos && i + 1 == args.size())
        return Error::InvalidInput("option " + name + " needs a value");
      std::string value;
      if (known->takes_value) value = equals != arg.npos ? arg.substr(equals + 1) : args[++i];
      parsed.options[name] = std::move(value);
    }
  }
  return parsed;
}

}  // namespace ostrevin
