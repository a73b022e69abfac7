#include <charconv>
#include <chrono>
#include <limits>
#include <ostream>

#include "abi/abi_values.h"
#include "host/args.h"
#include "host/library_choice.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin false-alarms [--settings FILE] [--points N] [--runs M] [--seed S]\n"
    "                             [--library PATH]\n"
    "\n"
    "Estimates how often the tests switched on in the settings raise a false signal: the add-on\n"
    "diagnoses M charts of N individual values from a stable process (normal, with its central\n"
    "line and its limits at 3 SD known) and, for each test and for all of them together, the\n"
    "command prints the share of charts with at least one signal and the average number of\n"
    "points to the first signal (the average run length), each with its 95% confidence\n"
    "interval. The same seed gives the same table. Tests of the moving-range graph judge no such\n"
    "chart and are left out. Progress is shown on standard error when a run takes over a second.\n"
    "\n"
    "  --settings FILE    the settings file that chooses the tests (default: the user's,\n"
    "                     $OSTREVIN_SETTINGS or ~/.config/Ostrevin/settings.ini)\n"
    "  --points N         points per chart, 1 to 32767 (default: 100)\n"
    "  --runs M           charts, 1 or more (default: 10000)\n"
    "  --seed S           the simulation's seed, an unsigned integer (default: 1)\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {
    kSettingsOption, {"--points", true}, {"--runs", true}, {"--seed", true}, kLibraryOption};

struct Run {
  std::int16_t points = 100;
  std::int32_t runs = 10000;
  std::uint64_t seed = 1;
};

// The value of option `name` as an integer from `low` to `high`; `fallback` when not given.
template <class T>
Result<T> Number(const ParsedArgs& parsed, std::string_view name, T low, T high, T fallback,
                 std::string_view what) {
  auto given = parsed.options.find(name);
  if (given == parsed.options.end()) return fallback;
  const std::string& text = given->second;
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low ||
      value > high)
    return Error::InvalidInput(std::string(name) + " must be " + std::string(what) + ", not \"" +
                               text + "\"");
  return value;
}

Result<Run> RunOf(const ParsedArgs& parsed) {
  using Limits16 = std::numeric_limits<std::int16_t>;
  using Limits32 = std::numeric_limits<std::int32_t>;
  using Limits64 = std::numeric_limits<std::uint64_t>;
  Run run;
  Result<std::int16_t> points = Number<std::int16_t>(parsed, "--points", 1, Limits16::max(),
                                                     run.points, "a whole number from 1 to 32767");
  if (!points) return points.error();
  Result<std::int32_t> runs = Number<std::int32_t>(parsed, "--runs", 1, Limits32::max(), run.runs,
                                                   "a whole number from 1 to 2147483647");
  if (!runs) return runs.error();
  Result<std::uint64_t> seed =
      Number<std::uint64_t>(parsed, "--seed", 0, Limits64::max(), run.seed, "an unsigned integer");
  if (!seed) return seed.error();
  return Run{*points, *runs, *seed};
}

// Progress on standard error once the estimate has taken more than a second: one line,
// rewritten in place a few times a second.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& err) : err_(err) {}
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine() {
    if (shown_) err_ << '\n';
  }

  static void Report(void* context, std::int32_t done, std::int32_t total) {
    static_cast<ProgressLine*>(context)->Update(done, total);
  }

 private:
  using Clock = std::chrono::steady_clock;

  void Update(std::int32_t done, std::int32_t total) {
    const Clock::time_point now = Clock::now();
    if (now - start_ < std::chrono::seconds(1)) return;
    if (shown_ && now - last_ < std::chrono::milliseconds(200) && done < total) return;
    err_ << "\rostrevin false-alarms: " << done << " of " << total << " charts ("
         << std::int64_t{done} * 100 / total << "%)" << std::flush;
    shown_ = true;
    last_ = now;
  }

  std::ostream& err_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point last_;
  bool shown_ = false;
};

// The estimate's table, made by the add-on library (IOstFalseAlarms of a clsInfo object).
Result<std::string> Estimate(const ParsedArgs& parsed, const Run& run, std::ostream& err) {
  Result<ComPtr<IOstDispatch>> info =
      CreateComponent<IOstDispatch>(parsed, kProgIdClsInfo, kClsidClsInfo);
  if (!info) return info.error();
  ComPtr<IOstFalseAlarms> estimator = info->As<IOstFalseAlarms>();
  if (!estimator) return Error::InvalidInput("the library offers no false-alarm estimate");
  OwnedOstString table;
  OwnedOstErrorInfo error;
  OstStatus status = kOstOk;
  {
    ProgressLine progress(err);
    status = estimator->EstimateFalseAlarms(SettingsPathFor(parsed).c_str(), run.points, run.runs,
                                            run.seed, &ProgressLine::Report, &progress, table.get(),
                                            error.get());
  }
  if (status == kOstException) return error.ToError();
  if (!OstSucceeded(status))
    return Error::InvalidInput("the library failed: " + StatusText(status));
  return table.str();
}

int RunFalseAlarms(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(FalseAlarmsCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  if (!parsed->positional.empty())
    return ReportUsageError(FalseAlarmsCommand(), "too many arguments", io.err);
  Result<Run> run = RunOf(*parsed);
  if (!run) return ReportUsageError(FalseAlarmsCommand(), run.error().message(), io.err);
  Result<std::string> table = Estimate(*parsed, *run, io.err);
  if (!table) return ReportFailure(table.error(), io.err);
  io.out << *table;
  return kExitSuccess;
}

}  // namespace

const SubCommand& FalseAlarmsCommand() {
  static constexpr SubCommand kFalseAlarms{
      "false-alarms", "estimate how often the tests signal on a stable process", kHelp,
      RunFalseAlarms};
  return kFalseAlarms;
}

}  // namespace ostrevin
