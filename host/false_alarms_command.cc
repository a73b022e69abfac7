#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <vector>

#include "abi/abi_values.h"
#include "host/args.h"
#include "host/library_choice.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin false-alarms [--settings FILE] [--points N] [--runs M] [--seed S]\n"
    "                             [--shift D[,D...]] [--trend T] [--library PATH]\n"
    "\n"
    "Estimates how often the tests switched on in the settings raise a false signal: the add-on\n"
    "diagnoses M charts of N individual values from a stable process (normal, with its central\n"
    "line and its limits at 3 SD known) and, for each test and for all of them together, the\n"
    "command prints the share of charts with at least one signal and the average number of\n"
    "points to the first signal (the average run length), each with its 95% confidence\n"
    "interval. The same seed gives the same table. Tests of the moving-range graph judge no such\n"
    "chart and are left out. Progress is shown on standard error when a run takes over a second.\n"
    "\n"
    "With --shift or --trend the charts come from a process that has changed, judged against the\n"
    "lines of the process before: the average run length is then how many points the tests\n"
    "take to catch the change. One table per shift, in the order given; D = 0 without a trend\n"
    "is the false-alarm table.\n"
    "\n"
    "  --settings FILE    the settings file that chooses the tests (default: the user's,\n"
    "                     $OSTREVIN_SETTINGS or ~/.config/Ostrevin/settings.ini)\n"
    "  --points N         points per chart, 1 to 32767 (default: 100)\n"
    "  --runs M           charts, 1 or more (default: 10000)\n"
    "  --seed S           the simulation's seed, an unsigned integer (default: 1)\n"
    "  --shift D,...      the mean moves by D SD at the first point (default: 0)\n"
    "  --trend T          and by T SD more at every point after it (default: 0)\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {kSettingsOption,  {"--points", true}, {"--runs", true},
                                   {"--seed", true}, {"--shift", true},  {"--trend", true},
                                   kLibraryOption};

struct Run {
  std::int16_t points = 100;
  std::int32_t runs = 10000;
  std::uint64_t seed = 1;
  std::vector<double> shifts = {0};
  double trend = 0;
};

// "0.5" or "-1e-1" as a finite number.
std::optional<double> Decimal(std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

Status ReadDrift(const ParsedArgs& parsed, Run& run) {
  if (parsed.Has("--shift")) {
    run.shifts.clear();
    const std::string& list = parsed.options.at("--shift");
    for (std::size_t begin = 0; begin <= list.size();) {
      const std::size_t comma = std::min(list.find(',', begin), list.size());
      const std::optional<double> shift = Decimal(list.substr(begin, comma - begin));
      if (!shift)
        return Error::InvalidInput("--shift must be numbers of SD separated by commas, not \"" +
                                   list + "\"");
      run.shifts.push_back(*shift);
      begin = comma + 1;
    }
  }
  if (parsed.Has("--trend")) {
    const std::optional<double> trend = Decimal(parsed.options.at("--trend"));
    if (!trend)
      return Error::InvalidInput("--trend must be a number of SD per point, not \"" +
                                 parsed.options.at("--trend") + "\"");
    run.trend = *trend;
  }
  return Ok{};
}

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
  run = Run{*points, *runs, *seed, {0}, 0};
  if (Status drift = ReadDrift(parsed, run); !drift) return drift.error();
  return run;
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

// The estimate's table for one shift, made by the add-on library (IOstFalseAlarms of a clsInfo
// object, or IOstRunLengths for a process that changes).
Result<std::string> Estimate(const ParsedArgs& parsed, const Run& run, double shift,
                             std::ostream& err) {
  Result<ComPtr<IOstDispatch>> info =
      CreateComponent<IOstDispatch>(parsed, kProgIdClsInfo, kClsidClsInfo);
  if (!info) return info.error();
  const bool changed = shift != 0 || run.trend != 0;
  ComPtr<IOstFalseAlarms> estimator = info->As<IOstFalseAlarms>();
  ComPtr<IOstRunLengths> lengths = info->As<IOstRunLengths>();
  if (!estimator || (changed && !lengths))
    return Error::InvalidInput("the library offers no such estimate");
  OwnedOstString table;
  OwnedOstErrorInfo error;
  OstStatus status = kOstOk;
  const std::string settings = SettingsPathFor(parsed);
  {
    ProgressLine progress(err);
    status = changed ? lengths->EstimateRunLengths(settings.c_str(), run.points, run.runs, run.seed,
                                                   shift, run.trend, &ProgressLine::Report,
                                                   &progress, table.get(), error.get())
                     : estimator->EstimateFalseAlarms(settings.c_str(), run.points, run.runs,
                                                      run.seed, &ProgressLine::Report, &progress,
                                                      table.get(), error.get());
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
  WarnAboutSettingsFile(*parsed, io.err);
  for (std::size_t k = 0; k < run->shifts.size(); ++k) {
    Result<std::string> table = Estimate(*parsed, *run, run->shifts[k], io.err);
    if (!table) return ReportFailure(table.error(), io.err);
    io.out << (k ? "\n" : "") << *table << std::flush;
  }
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
