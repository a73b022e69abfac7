#include "plot/plot_module.h"

#include "platform/loadable_module.h"

namespace ostrevin {

Result<std::string> RenderPlotWithModule(const std::filesystem::path& folder,
                                         const PlotModel& model, PlotFormat format) {
  Result<PlotRenderer*> renderer =
      LoadModuleObject<PlotRenderer>(folder / kPlotModuleFile, kPlotModuleEntry);
  if (!renderer) return renderer.error().WithContext("cannot draw: the plot renderer is missing");
  return (*renderer)->Render(model, format);
}

}  // namespace ostrevin
