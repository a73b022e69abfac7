#include "plot/plot_render.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <type_traits>

#include "plot/plot_painter.h"

namespace ostrevin {
namespace {

std::string Bytes(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string Svg(const PlotModel& model) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  const QSize size = PlotSize(model);
  svg.setSize(size);
  svg.setResolution(96);  // one drawing unit is one CSS pixel
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(QString::fromStdString(model.title));
  svg.setDescription(QStringLiteral("Control chart with the signals found by Ostrevin"));
  QPainter painter(&svg);
  PaintPlot(painter, model);
  painter.end();
  return Bytes(buffer.data());
}

Result<std::string> Png(const PlotModel& model) {
  constexpr int kScale = 2;  // sharp on high-density screens
  const QSize size = PlotSize(model);
  QImage image(size.width() * kScale, size.height() * kScale, QImage::Format_RGB32);
  if (image.isNull()) return Error::InvalidInput("cannot draw: the picture is too large");
  image.fill(Qt::white);
  image.setDevicePixelRatio(kScale);
  QPainter painter(&image);
  PaintPlot(painter, model);
  painter.end();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return Error::InvalidInput("cannot draw: no PNG writer");
  return Bytes(buffer.data());
}

}  // namespace

Result<std::string> RenderPlot(const PlotModel& model, PlotFormat format) {
  // Drawing needs a QGuiApplication (fonts) but never a screen: one on the offscreen platform,
  // unless QT_QPA_PLATFORM chooses another, is made for the while and gone afterwards, so that
  // a window the library opens later in this process finds no application in its way.
  int argc = 3;
  char arg0[] = "ostrevin", arg1[] = "-platform", arg2[] = "offscreen";
  char* argv[] = {arg0, arg1, arg2, nullptr};
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if (chosen != nullptr && *chosen != '\0') argc = 1;
  // Qt's notes on its own set-up (no runtime folder and the like) are not the user's business.
  struct QuietQt {
    QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message) {
          if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "ostrevin: %s\n", message.toLocal8Bit().constData());
        });
    ~QuietQt() { qInstallMessageHandler(previous); }
  } quiet;
  std::unique_ptr<QGuiApplication> app;
  if (QCoreApplication::instance() == nullptr) {
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return Error::InvalidInput("cannot draw: the process runs a Qt application without a GUI");
  }
  if (format == PlotFormat::kSvg) return Svg(model);
  return Png(model);
}

namespace {

// The module's renderer: RenderPlot, with whatever it throws (a failed allocation of a huge
// picture) turned into an error, since nothing may be thrown across the module's edge.
class QtPlotRenderer final : public PlotRenderer {
 public:
  Result<std::string> Render(const PlotModel& model, PlotFormat format) override {
    try {
      return RenderPlot(model, format);
    } catch (const std::exception& error) {
      return Error::InvalidInput(std::string("cannot draw: ") + error.what());
    }
  }
};

}  // namespace
}  // namespace ostrevin

extern "C" __attribute__((visibility("default"))) void OstrevinPlotRenderer(
    ostrevin::PlotRenderer** renderer) {
  static ostrevin::QtPlotRenderer qt;
  *renderer = &qt;
}

static_assert(std::is_same_v<decltype(&OstrevinPlotRenderer), ostrevin::PlotModuleEntry>);
