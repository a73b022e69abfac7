#ifndef OSTREVIN_PLOT_PLOT_MODULE_H_
#define OSTREVIN_PLOT_PLOT_MODULE_H_

// The plot renderer lives in a module of its own (libOstrevinPlot.so, beside libOstrevin.so),
// loaded by `ostrevin plot` only: no other command loads Qt.

#include <filesystem>
#include <string>

#include "plot/plot_model.h"
#include "values/error.h"

namespace ostrevin {

enum class PlotFormat { kSvg, kPng };

class PlotRenderer {
 public:
  // The picture of `model` as an SVG document or PNG bytes (plot_render.h).
  virtual Result<std::string> Render(const PlotModel& model, PlotFormat format) = 0;

 protected:
  ~PlotRenderer() = default;
};

inline constexpr char kPlotModuleFile[] = "libOstrevinPlot.so";
inline constexpr char kPlotModuleEntry[] = "OstrevinPlotRenderer";
using PlotModuleEntry = void (*)(PlotRenderer** renderer);

// Draws `model` with the renderer in `folder`, loading it on first use.
Result<std::string> RenderPlotWithModule(const std::filesystem::path& folder,
                                         const PlotModel& model, PlotFormat format);

}  // namespace ostrevin

#endif  // OSTREVIN_PLOT_PLOT_MODULE_H_
