#ifndef OSTREVIN_PLOT_PLOT_RENDER_H_
#define OSTREVIN_PLOT_PLOT_RENDER_H_

#include <string>

#include "plot/plot_model.h"
#include "plot/plot_module.h"
#include "values/error.h"

namespace ostrevin {

// Draws `model` with QPainter: a title, one panel per graph (points joined by a line, the central
// line and the control limits stepping place by place, split boundaries, the marked points), the
// place labels under the last panel and a legend of the signals. Returns the SVG document or
// the PNG image as bytes. Makes a QGuiApplication on the offscreen platform for the while when
// the process has none; fails when the process runs a Qt application without a GUI.
Result<std::string> RenderPlot(const PlotModel& model, PlotFormat format);

}  // namespace ostrevin

#endif  // OSTREVIN_PLOT_PLOT_RENDER_H_
