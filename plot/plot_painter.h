#ifndef OSTREVIN_PLOT_PLOT_PAINTER_H_
#define OSTREVIN_PLOT_PLOT_PAINTER_H_

#include <QSize>

#include "plot/plot_model.h"

class QPainter;

namespace ostrevin {

// The size of the picture of `model`, in pixels: wide enough for its places, tall enough for
// its panels, their signal tracks and the slanted place labels.
QSize PlotSize(const PlotModel& model);

// Draws `model` onto `painter`, whose device is at least PlotSize(model) large. REQUIRES: a
// QGuiApplication exists (for the fonts).
void PaintPlot(QPainter& painter, const PlotModel& model);

}  // namespace ostrevin

#endif  // OSTREVIN_PLOT_PLOT_PAINTER_H_
