#include "host/args.h"

#include <gtest/gtest.h>

namespace ostrevin {
namespace {

struct ArgsCase {
  std::vector<std::string> args;
  std::string expected;  // positional|options|help, or the error message
};

std::string Describe(const Result<ParsedArgs>& parsed) {
  if (!parsed) return parsed.error().message();
  std::string text;
  for (const std::string& p : parsed->positional) text += p + ",";
  text += "|";
  for (const auto& [name, value] : parsed->options) text += name + "=" + value + ",";
  return text + (parsed->help ? "|help" : "|");
}

TEST(ParseArgsTest, SortsOptionsFromArguments) {
  constexpr OptionSpec kSpecs[] = {{"--settings", true}, {"--crlf", false}};
  const ArgsCase cases[] = {
      {{"chart.json", "--crlf", "--settings", "s.ini"}, "chart.json,|--crlf=,--settings=s.ini,|"},
      {{"--settings=a=b", "--settings", "c"}, "|--settings=c,|"},
      {{"--", "--crlf", "-"}, "--crlf,-,||"},
      {{"-h", "x"}, "x,||help"},
      {{"--nope"}, "unknown option --nope"},
      {{"--crlf=1"}, "option --crlf takes no value"},
      {{"a", "--settings"}, "option --settings needs a value"},
  };
  for (const ArgsCase& c : cases) {
    EXPECT_EQ(Describe(ParseArgs(c.args, kSpecs)), c.expected) << c.args[0];
  }
}

}  // namespace
}  // namespace ostrevin
