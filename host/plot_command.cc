#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "chartfile/file_io.h"
#include "host/args.h"
#include "host/console_diagnosis.h"
#include "host/library_choice.h"
#include "host/settings_choice.h"
#include "host/sub_commands.h"
#include "plot/plot_chart.h"
#include "plot/plot_module.h"

namespace ostrevin {
namespace {

constexpr std::string_view kHelp =
    "usage: ostrevin plot CHART.json -o FILE.svg|FILE.png [--settings FILE] [--from-start]\n"
    "                     [--library PATH]\n"
    "\n"
    "Diagnoses the chart as \"ostrevin diagnose\" does and draws it with what the diagnosis\n"
    "found: one panel per graph with its points, central line and control limits, the split\n"
    "boundaries, the place labels, and every point a signal covers marked, with a legend of\n"
    "the signals. The chart file is only read.\n"
    "\n"
    "  -o, --output FILE  the picture to write: an SVG document (.svg) or a PNG image (.png)\n"
    "  --from-start       diagnose from the first place, as the window's \"Diagnose From Start\"\n"
    "                     (default: carry on from NextHAxLToDiagnose, as the report does)\n"
    "  --settings FILE    the settings file that chooses the tests (default: the user's,\n"
    "                     $OSTREVIN_SETTINGS or ~/.config/Ostrevin/settings.ini)\n"
    "  --library PATH     the add-on library (see \"ostrevin --help\")\n";

constexpr OptionSpec kOptions[] = {
    {"-o", true}, {"--output", true}, kFromStartOption, kSettingsOption, kLibraryOption};

// The picture's format, by the output file's extension.
Result<PlotFormat> FormatOf(const std::string& output) {
  std::string extension = std::filesystem::path(output).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".svg") return PlotFormat::kSvg;
  if (extension == ".png") return PlotFormat::kPng;
  return Error::InvalidInput("the output file must end in .svg or .png: " + output);
}

// The picture of the diagnosed chart, drawn by the renderer installed beside the library.
Result<std::string> Draw(const ConsoleDiagnosis& done, const std::string& path, PlotFormat format,
                         const ParsedArgs& args) {
  Result<std::vector<PlottedSeries>> plotted = PlottedValuesOf(done.chart, 2);
  if (!plotted) return plotted.error().WithContext(path);
  Result<PlotModel> model = PlotModelOf(done.chart, done.findings_json, *plotted,
                                        std::filesystem::path(path).filename().string());
  if (!model) return model.error().WithContext(path);
  return RenderPlotWithModule(std::filesystem::absolute(ChooseLibrary(args)).parent_path(), *model,
                              format);
}

int RunPlot(std::span<const std::string> args, CommandStreams io) {
  Result<ParsedArgs> parsed = ParseArgs(args, kOptions);
  if (!parsed) return ReportUsageError(PlotCommand(), parsed.error().message(), io.err);
  if (parsed->help) {
    io.out << kHelp;
    return kExitSuccess;
  }
  if (parsed->positional.size() != 1) {
    return ReportUsageError(
        PlotCommand(), parsed->positional.empty() ? "missing CHART.json" : "too many arguments",
        io.err);
  }
  std::string output;
  for (std::string_view name : {"-o", "--output"}) {
    if (auto given = parsed->options.find(name); given != parsed->options.end())
      output = given->second;
  }
  if (output.empty()) return ReportUsageError(PlotCommand(), "missing -o FILE", io.err);
  Result<PlotFormat> format = FormatOf(output);
  if (!format) return ReportUsageError(PlotCommand(), format.error().message(), io.err);

  const std::string& path = parsed->positional[0];
  Result<ConsoleDiagnosis> done = DiagnoseOnConsole(path, *parsed, true, io.err);
  if (!done) return ReportFailure(done.error(), io.err);
  Result<std::string> picture = Draw(*done, path, *format, *parsed);
  if (!picture) return ReportFailure(picture.error(), io.err);
  if (Status written = ReplaceFileAtomically(output, *picture); !written)
    return ReportFailure(written.error(), io.err);
  return kExitSuccess;
}

}  // namespace

const SubCommand& PlotCommand() {
  static constexpr SubCommand kPlot{"plot", "draw a chart and the signals found in it (SVG, PNG)",
                                    kHelp, RunPlot};
  return kPlot;
}

}  // namespace ostrevin
