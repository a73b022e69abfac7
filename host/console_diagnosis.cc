#include "host/console_diagnosis.h"

#include <optional>
#include <ostream>

#include "abi/abi_values.h"
#include "chartfile/chart_file.h"
#include "host/library_choice.h"
#include "host/settings_choice.h"

namespace ostrevin {
namespace {

// Asks the container for its console in place of the report window (IOstReportConsole), with
// the settings file the command was given.
Result<ComPtr<IOstReportConsole>> ChooseConsole(const ChartObject& chart, const ParsedArgs& args) {
  auto console = chart.dispatch().object().As<IOstReportConsole>();
  auto options = chart.dispatch().object().As<IOstDiagnosisOptions>();
  if (!console || !options) return Error::InvalidInput("the library offers no console report");
  std::optional<std::string> now;
  if (args.Has(kDateTimeOption.name)) now = args.options.at(std::string(kDateTimeOption.name));
  OstStatus status = console->UseConsole(
      now ? now->c_str() : nullptr, args.Has(kFromStartOption.name) ? kOstBoolTrue : kOstBoolFalse);
  if (OstSucceeded(status)) status = options->SetSettingsFile(SettingsPathFor(args).c_str());
  if (!OstSucceeded(status))
    return Error::InvalidInput("the library failed: " + StatusText(status));
  return console;
}

Result<std::string> FindingsJsonOf(const ChartObject& chart) {
  auto findings = chart.dispatch().object().As<IOstReportFindings>();
  OwnedOstString json;
  if (!findings || !OstSucceeded(findings->GetFindingsJson(json.get())))
    return Error::InvalidInput("the library gives no findings as JSON");
  return json.str();
}

}  // namespace

Result<std::vector<std::vector<std::optional<float>>>> PlottedValuesOf(const ChartObject& chart,
                                                                       std::size_t graphs) {
  auto findings = chart.dispatch().object().As<IOstReportFindings>();
  if (!findings) return Error::InvalidInput("the library gives no plotted values");
  std::vector<std::vector<std::optional<float>>> all;
  for (std::size_t g = 0; g < graphs; ++g) {
    OwnedOstVariant values;
    if (!OstSucceeded(findings->GetPlottedValues(static_cast<std::int16_t>(g), values.get())))
      return Error::InvalidInput("the library gives no plotted values");
    Result<Variant> read = ReadOstVariant(*values);
    if (!read) return read.error();
    if (!read->IsArray()) return Error::InvalidInput("the plotted values are not an array");
    const VArray& array = read->array();
    std::vector<std::optional<float>>& series = all.emplace_back();
    series.reserve(array.size());
    for (std::size_t k = 0; k < array.size(); ++k) {
      const Variant value = array.At(k);
      if (value.IsEmpty()) {
        series.emplace_back();
        continue;
      }
      Result<float> f = value.ToSingle();
      if (!f) return f.error();
      series.emplace_back(*f);
    }
  }
  return all;
}

namespace {

// Passes on what the container's message boxes showed.
void PassOnMessages(IOstReportConsole& console, std::ostream& err) {
  OwnedOstString messages;
  if (OstSucceeded(console.TakeMessages(messages.get()))) err << messages.str();
}

}  // namespace

Result<ChartObject> ReadChartOnConsole(const std::string& path, const ParsedArgs& args,
                                       std::ostream& err) {
  Result<ChartObject> chart = NewChartObject(args);
  if (!chart) return chart.error();
  Result<ComPtr<IOstReportConsole>> console = ChooseConsole(*chart, args);
  if (!console) return console.error();
  Status read = ReadChartFile(path, chart.value());
  PassOnMessages(*console->get(), err);
  if (!read) return read.error();
  return chart;
}

Result<ConsoleDiagnosis> DiagnoseOnConsole(const std::string& path, const ParsedArgs& args,
                                           bool with_json, std::ostream& err) {
  WarnAboutSettingsFile(args, err);
  Result<ChartObject> chart = NewChartObject(args);
  if (!chart) return chart.error();
  Result<ComPtr<IOstReportConsole>> console = ChooseConsole(*chart, args);
  if (!console) return console.error();
  if (Status read = ReadChartFile(path, chart.value()); !read) return read.error();

  // The console composes one report, as the window does when it loads.
  Status shown = chart->dispatch().CallByName("Show");
  PassOnMessages(*console->get(), err);
  OwnedOstString report;
  if (!shown) return shown.error().WithContext(path);
  if (!OstSucceeded(console.value()->GetReport(report.get())))
    return Error::InvalidInput("the library gave no report").WithContext(path);
  ConsoleDiagnosis done{std::move(chart).value(), report.str(), {}};
  if (with_json) {
    Result<std::string> json = FindingsJsonOf(done.chart);
    if (!json) return json.error();
    done.findings_json = std::move(json).value();
  }
  return done;
}

}  // namespace ostrevin
