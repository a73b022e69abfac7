#include "ui/pattern_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ostrevin {
namespace {

struct Band {
  float low;
  float high;
};

// A pattern drawn over a chart whose central line is 0 and whose SD is 1.
struct Shape {
  std::vector<float> points = {};
  std::vector<int> marked = {};          // the points that make the signal
  std::vector<int> crossed_points = {};  // points the option rules out
  std::vector<int> crossed_steps = {};   // steps from point i to i + 1 that the option rules out
  std::vector<float> sd_lines = {};      // dotted lines at these SDs
  std::vector<Band> bands = {};          // shaded zones
  bool limits = true;                    // the control limits at +-3 SD
  float low = -3.6f;
  float high = 3.6f;
};

std::vector<int> Range(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; ++i) v.push_back(i);
  return v;
}

// The same pattern below the central line.
Shape Mirror(Shape s) {
  for (float& p : s.points) p = -p;
  for (float& l : s.sd_lines) l = -l;
  for (Band& b : s.bands) b = {-b.high, -b.low};
  return s;
}

Shape ZigZag(std::vector<float> points) {
  Shape s{.points = std::move(points), .limits = false, .low = -2.6f, .high = 2.6f};
  s.marked = Range(0, static_cast<int>(s.points.size()) - 1);
  return s;
}

Shape ShapeOf(Pattern pattern) {
  switch (pattern) {
    case Pattern::kAboveUCL:
      return {.points = {0.5f, -1, 1.2f, 3.4f, 0.3f, -0.8f}, .marked = {3}};
    case Pattern::kBelowLCL:
      return Mirror(ShapeOf(Pattern::kAboveUCL));
    case Pattern::kOneSideOfCentre:
      return {.points = {-1, 0.6f, 1.2f, 0.4f, 1.8f, 0.8f, 1.1f, 0.5f, 1.4f, -0.7f},
              .marked = Range(1, 8)};
    case Pattern::kIncreasing:
      return {.points = {-1, 0.3f, -2, -1.4f, -0.8f, -0.1f, 0.6f, 1.3f, 0.2f, 0.9f},
              .marked = Range(2, 7)};
    case Pattern::kZigZagWithMean:
      return ZigZag({1.2f, -1.1f, 1.3f, -1.2f, 1.1f, -1.3f, 1.2f, -1, 1.3f, -1.2f});
    case Pattern::kZigZagWithoutMean:
      return ZigZag({0.6f, 2, 0.8f, 2.1f, 0.5f, 1.9f, 0.7f, 2.2f, 0.6f, 1.8f});
    case Pattern::kZigZagFrom1SD: {
      Shape s = ShapeOf(Pattern::kZigZagNotFrom1SD);
      s.crossed_points = {3};
      return s;
    }
    case Pattern::kZigZagNotFrom1SD: {
      Shape s = ZigZag({1.5f, -1.6f, 1.4f, -0.5f, 1.7f, -1.5f, 1.6f, -1.4f});
      s.sd_lines = {1, -1};
      return s;
    }
    case Pattern::kZigZagAtLeast1SD: {
      Shape s = ShapeOf(Pattern::kZigZagNotAtLeast1SD);
      s.crossed_steps = {2, 5};
      return s;
    }
    case Pattern::kZigZagNotAtLeast1SD: {
      Shape s = ZigZag({0.3f, 1.7f, 0.2f, 0.7f, -0.9f, 1.1f, 0.6f, 1.9f});
      s.sd_lines = {2, 1, -1, -2};
      return s;
    }
    case Pattern::kTwoOfThreeAbove:
      return {.points = {0.4f, -0.6f, 2.5f, 1.2f, 2.7f, 0.3f, -0.5f},
              .marked = {2, 4},
              .sd_lines = {2, -2},
              .bands = {{2, 3}}};
    case Pattern::kTwoOfThreeBelow:
      return Mirror(ShapeOf(Pattern::kTwoOfThreeAbove));
    case Pattern::kFourOfFiveAbove:
      return {.points = {-0.5f, 1.4f, 2.1f, 0.6f, 1.6f, 1.2f, -0.3f},
              .marked = {1, 2, 4, 5},
              .sd_lines = {1, -1},
              .bands = {{1, 3}}};
    case Pattern::kFourOfFiveBelow:
      return Mirror(ShapeOf(Pattern::kFourOfFiveAbove));
    case Pattern::kWithin1SD:
      return {.points = {1.8f, 0.4f, -0.3f, 0.6f, -0.5f, 0.2f, -0.7f, 0.5f, -0.2f, 0.3f, -0.6f,
                         0.4f, -1.9f},
              .marked = Range(1, 11),
              .sd_lines = {1, -1},
              .bands = {{-1, 1}}};
    case Pattern::kExtremeSwitch:
      return {.points = {0.2f, -0.7f, 2.5f, -2.4f, 0.5f, -0.3f},
              .marked = {2, 3},
              .sd_lines = {2, -2},
              .bands = {{2, 3}, {-3, -2}}};
    case Pattern::kNone:
      break;
  }
  return {};
}

const QColor kLimitColour(192, 57, 43);
const QColor kCentreColour(46, 125, 50);
const QColor kSdColour(110, 110, 110);
const QColor kBandColour(255, 236, 179);
const QColor kLineColour(31, 78, 156);
const QColor kSignalColour(211, 47, 47);

// Maps the shape's values and point numbers to pixels in `area`.
class Plot {
 public:
  Plot(const Shape& s, QRectF area) : s_(s), area_(area) {}
  double X(double i) const {
    const double n = std::max<double>(static_cast<double>(s_.points.size()) - 1, 1);
    return area_.left() + area_.width() * i / n;
  }
  double Y(double v) const {
    return area_.top() + area_.height() * (s_.high - v) / (s_.high - s_.low);
  }
  QPointF Point(int i) const { return {X(i), Y(s_.points[i])}; }
  const QRectF& area() const { return area_; }

 private:
  const Shape& s_;
  QRectF area_;
};

void DrawCross(QPainter& p, QPointF c, double r) {
  p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
  p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
}

struct LineLabel {
  double y;
  QString text;
  QColor colour;
};

void DrawLine(QPainter& p, const Plot& plot, double v, const QPen& pen) {
  p.setPen(pen);
  const double y = plot.Y(v);
  p.drawLine(QPointF(plot.area().left(), y), QPointF(plot.area().right(), y));
}

// Names the lines at the right of the plot, in order of importance, leaving out a name that
// would run into one already written.
void DrawLabels(QPainter& p, const Plot& plot, const std::vector<LineLabel>& labels) {
  std::vector<QRectF> taken;
  for (const LineLabel& label : labels) {
    const QRectF box(plot.area().right() + 3, label.y - 5.5, 30, 11);
    const auto overlaps = [&box](const QRectF& r) { return r.intersects(box); };
    if (std::any_of(taken.begin(), taken.end(), overlaps)) continue;
    taken.push_back(box);
    p.setPen(label.colour);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, label.text);
  }
}

void DrawLines(QPainter& p, const Shape& s, const Plot& plot, bool labelled) {
  for (const Band& b : s.bands) {
    p.fillRect(QRectF(QPointF(plot.area().left(), plot.Y(b.high)),
                      QPointF(plot.area().right(), plot.Y(b.low))),
               kBandColour);
  }
  std::vector<LineLabel> labels = {{plot.Y(0), "CL", kCentreColour}};
  if (s.limits) {
    DrawLine(p, plot, 3, QPen(kLimitColour, 1.2));
    DrawLine(p, plot, -3, QPen(kLimitColour, 1.2));
    labels.push_back({plot.Y(3), "UCL", kLimitColour});
    labels.push_back({plot.Y(-3), "LCL", kLimitColour});
  }
  for (float sd : s.sd_lines) {
    DrawLine(p, plot, sd, QPen(kSdColour, 1, Qt::DotLine));
    labels.push_back(
        {plot.Y(sd), QString("%1%2SD").arg(sd > 0 ? "+" : "-").arg(std::abs(sd)), kSdColour});
  }
  DrawLine(p, plot, 0, QPen(kCentreColour, 1.2, Qt::DashLine));
  if (labelled) DrawLabels(p, plot, labels);
}

void DrawPoints(QPainter& p, const Shape& s, const Plot& plot) {
  QPainterPath path(plot.Point(0));
  for (int i = 1; i < static_cast<int>(s.points.size()); ++i) path.lineTo(plot.Point(i));
  p.setPen(QPen(kLineColour, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < static_cast<int>(s.points.size()); ++i) {
    const bool signal = std::find(s.marked.begin(), s.marked.end(), i) != s.marked.end();
    p.setBrush(signal ? kSignalColour : kLineColour);
    p.drawEllipse(plot.Point(i), signal ? 2.6 : 2.0, signal ? 2.6 : 2.0);
  }
  p.setPen(QPen(kSignalColour, 1.6));
  for (int i : s.crossed_points) DrawCross(p, plot.Point(i), 5);
  for (int i : s.crossed_steps) DrawCross(p, (plot.Point(i) + plot.Point(i + 1)) / 2, 5);
}

}  // namespace

PatternPicture::PatternPicture(Pattern pattern, QWidget* parent)
    : QWidget(parent), pattern_(pattern) {}

void PatternPicture::paintEvent(QPaintEvent* /*event*/) {
  const Shape shape = ShapeOf(pattern_);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(QColor(160, 160, 160));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));

  // Pictures wide enough to spare the room name their lines at the right.
  const bool labelled = width() >= 140;
  QFont font = painter.font();
  font.setPixelSize(9);
  painter.setFont(font);
  const QRectF area = QRectF(rect()).adjusted(6, 4, labelled ? -32 : -6, -4);
  const Plot plot(shape, area);
  DrawLines(painter, shape, plot, labelled);
  DrawPoints(painter, shape, plot);
}

}  // namespace ostrevin
