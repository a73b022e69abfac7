#include "plot/plot_module.h"

#include "platform/loadable_module.h"

namespace ostrevin {

Result<std::string> RenderPlotWithModule(const std::filesystem::path& folder,
                                         const PlotModel& model, PlotFormat format) {
  Result<void*> entry = LoadModuleSymbol(folder / kPlotModuleFile, kPlotModuleEntry);
  if (!entry) return entry.error().WithContext("cannot draw: the plot renderer is missing");
  PlotRenderer* renderer = nullptr;
  reinterpret_cast<PlotModuleEntry> (*entry)(&renderer);
  return renderer->Render(model, format);
}

}  // namespace ostrevin
