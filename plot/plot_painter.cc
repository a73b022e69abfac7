#include "plot/plot_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace ostrevin {
namespace {

// --- Style ---------------------------------------------------------------------------------------

const QColor kInk(0x22, 0x22, 0x22);
const QColor kMuted(0x6b, 0x6b, 0x6b);
const QColor kGrid(0xe8, 0xe8, 0xe8);
const QColor kFrame(0xa0, 0xa0, 0xa0);
const QColor kPoints(0x1f, 0x3b, 0x73);
const QColor kLimit(0xc4, 0x4e, 0x52);
const QColor kCentre(0x3a, 0x8f, 0x5c);
const QColor kEarlier(0xf4, 0xf4, 0xf4);

enum class Shape { kCircle, kSquare, kDiamond, kUp, kDown };
struct MarkStyle {
  QColor colour;
  Shape shape;
};
// By PlotSignal::style: the order of the signal kinds in plot_model.cc.
const MarkStyle kMarkStyles[] = {
    {QColor(0xe0, 0x1b, 0x24), Shape::kCircle},   // on or above UCL
    {QColor(0x1c, 0x71, 0xd8), Shape::kCircle},   // on or below LCL
    {QColor(0x26, 0xa2, 0x69), Shape::kSquare},   // run on one side
    {QColor(0x91, 0x41, 0xac), Shape::kUp},       // 2 of 3 above
    {QColor(0x91, 0x41, 0xac), Shape::kDown},     // 2 of 3 below
    {QColor(0xe6, 0x61, 0x00), Shape::kUp},       // 4 of 5 above
    {QColor(0xe6, 0x61, 0x00), Shape::kDown},     // 4 of 5 below
    {QColor(0x0e, 0xa5, 0xb5), Shape::kSquare},   // within 1 SD
    {QColor(0x86, 0x5e, 0x3c), Shape::kDiamond},  // trend
    {QColor(0xd6, 0x33, 0x84), Shape::kDiamond},  // extreme switch
    {QColor(0x9a, 0x9a, 0x00), Shape::kCircle},   // zigzag
};

MarkStyle StyleOf(std::size_t style) {
  if (style < std::size(kMarkStyles)) return kMarkStyles[style];
  return {kInk, Shape::kSquare};
}

QFont Font(double pixels, bool bold = false) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(static_cast<int>(pixels));
  font.setBold(bold);
  return font;
}

QString Text(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// --- Layout --------------------------------------------------------------------------------------

constexpr double kRight = 96, kPanelGap = 40, kTrackRow = 15, kTrackGap = 6;

struct Layout {
  double width = 0, height = 0;
  double plot_left = 0, plot_right = 0;
  std::vector<QRectF> panels;
  int label_step = 1;
  double labels_top = 0;
  std::size_t places = 0;

  double PlaceSpace() const { return (plot_right - plot_left) / std::max<double>(places, 1); }
  double X(double place) const { return plot_left + (place + 0.5) * PlaceSpace(); }
  // The boundary between place p - 1 and place p.
  double Edge(double place) const { return plot_left + place * PlaceSpace(); }
  // The middle of track row `row` under panel `panel`.
  double TrackY(std::size_t panel, std::size_t row) const {
    return panels[panel].bottom() + kTrackGap + (static_cast<double>(row) + 0.5) * kTrackRow;
  }
};

double Widest(const std::vector<std::string>& texts, const QFont& font) {
  const QFontMetricsF metrics(font);
  double widest = 0;
  for (const std::string& text : texts)
    widest = std::max(widest, metrics.horizontalAdvance(Text(text)));
  return widest;
}

double TracksHeight(const PlotPanel& panel) {
  return panel.tracks.empty() ? 0
                              : kTrackGap + kTrackRow * static_cast<double>(panel.tracks.size());
}

// The left margin holds the value axis and the names of the tracks.
Layout LayOut(const PlotModel& model) {
  Layout l;
  l.places = model.labels.size();
  std::vector<std::string> names;
  for (const PlotSignal& s : model.legend) names.push_back(s.name);
  l.plot_left = std::max(64.0, Widest(names, Font(11)) + 36);
  const double plot_width = std::clamp(9.0 * static_cast<double>(l.places), 700.0, 1900.0);
  l.width = std::round(l.plot_left + plot_width + kRight);
  l.plot_right = l.width - kRight;
  double top = model.panels.empty() || model.panels[0].name.empty() ? 70 : 86;
  for (const PlotPanel& panel : model.panels) {
    const double height = &panel == &model.panels.front() ? 300 : 190;
    l.panels.emplace_back(l.plot_left, top, l.plot_right - l.plot_left, height);
    top += height + TracksHeight(panel) + kPanelGap;
  }
  const QFontMetricsF metrics(Font(11));
  l.label_step = LabelStep(l.PlaceSpace(), metrics.height() * 1.5 + 2);
  l.labels_top = top - kPanelGap + 8;
  l.height =
      std::ceil(l.labels_top + (Widest(model.labels, Font(11)) + metrics.height()) * 0.72 + 18);
  return l;
}

// --- Drawing -------------------------------------------------------------------------------------

class PlotPainter {
 public:
  PlotPainter(QPainter& painter, const PlotModel& model, const Layout& layout)
      : p_(painter), model_(model), l_(layout) {}

  void Draw() {
    p_.setRenderHint(QPainter::Antialiasing);
    p_.fillRect(QRectF(0, 0, l_.width, l_.height), Qt::white);
    DrawTitle();
    for (std::size_t i = 0; i < model_.panels.size(); ++i) {
      DrawPanel(model_.panels[i], l_.panels[i]);
      DrawTracks(model_.panels[i], i);
    }
    DrawPlaceLabels();
  }

 private:
  double Y(const PlotPanel& panel, const QRectF& r, double v) const {
    return r.bottom() - (v - panel.low) / (panel.high - panel.low) * r.height();
  }
  bool SameSplit(std::size_t a, std::size_t b) const {
    for (std::int16_t s : model_.split_starts) {
      if (a < static_cast<std::size_t>(s) && static_cast<std::size_t>(s) <= b) return false;
    }
    return true;
  }
  MarkStyle EntryStyle(std::size_t entry) const { return StyleOf(model_.legend[entry].style); }

  void DrawTitle() {
    p_.setPen(kInk);
    p_.setFont(Font(19, true));
    p_.drawText(QPointF(l_.plot_left, 30), Text(model_.title));
    p_.setPen(kMuted);
    p_.setFont(Font(12));
    p_.drawText(QPointF(l_.plot_left, 50), Text(model_.subtitle));
  }

  // Places before the diagnosed ones are shaded, and the split boundaries drawn, from `top` to
  // `bottom`.
  void DrawBackground(double top, double bottom, bool noted = false) {
    if (model_.diagnosed_from) {
      const QRectF earlier(l_.plot_left, top, l_.Edge(*model_.diagnosed_from) - l_.plot_left,
                           bottom - top);
      p_.fillRect(earlier, kEarlier);
      p_.setPen(kMuted);
      p_.setFont(Font(11));
      const QString note = QStringLiteral("diagnosed before");
      if (noted && QFontMetricsF(Font(11)).horizontalAdvance(note) + 12 < earlier.width())
        p_.drawText(earlier.adjusted(6, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop, note);
    }
    p_.setPen(QPen(kMuted, 1, Qt::DashLine));
    for (std::int16_t s : model_.split_starts)
      p_.drawLine(QPointF(l_.Edge(s), top), QPointF(l_.Edge(s), bottom));
  }

  void DrawPanel(const PlotPanel& panel, const QRectF& r) {
    p_.save();
    DrawBackground(r.top(), r.bottom(), &panel == &model_.panels.front());
    DrawValueAxis(panel, r);
    p_.setClipRect(r.adjusted(-1, -1, 1, 1));
    DrawLine(panel, r, &PlotLines::ucl, kLimit);
    DrawLine(panel, r, &PlotLines::lcl, kLimit);
    DrawLine(panel, r, &PlotLines::centre, kCentre);
    DrawPoints(panel, r);
    p_.setClipping(false);
    for (const PlotMark& mark : panel.marks) DrawMark(mark, panel, r);
    DrawLineNames(panel, r);
    p_.setPen(QPen(kFrame, 1));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(r);
    DrawPlaceTicks(r);
    p_.setPen(kInk);
    p_.setFont(Font(13, true));
    p_.drawText(QPointF(r.left(), r.top() - 8), Text(panel.name));
    if (!panel.note.empty()) {
      p_.setPen(kMuted);
      p_.setFont(Font(14));
      p_.drawText(r, Qt::AlignCenter, Text(panel.note));
    }
    p_.restore();
  }

  void DrawValueAxis(const PlotPanel& panel, const QRectF& r) {
    const Ticks ticks =
        NiceTicks(panel.low, panel.high, std::max(3, static_cast<int>(r.height() / 45)));
    p_.setFont(Font(11));
    for (double v : ticks.values) {
      const double y = Y(panel, r, v);
      p_.setPen(QPen(kGrid, 1));
      p_.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
      p_.setPen(kMuted);
      p_.drawText(QRectF(0, y - 8, r.left() - 7, 16), Qt::AlignRight | Qt::AlignVCenter,
                  Text(TickText(v, ticks.step)));
    }
  }

  // A line steps from place to place: flat across each place, joined within a split.
  void DrawLine(const PlotPanel& panel, const QRectF& r, std::optional<float> PlotLines::*line,
                const QColor& colour) {
    QPainterPath path;
    const auto& lines = panel.data.lines;
    for (std::size_t p = 0; p < lines.size(); ++p) {
      const std::optional<float> v = lines[p].*line;
      if (!v || !std::isfinite(*v)) continue;
      const double y = Y(panel, r, *v);
      const bool joined = p > 0 && (lines[p - 1].*line).has_value() && SameSplit(p - 1, p);
      if (joined) {
        path.lineTo(l_.Edge(static_cast<double>(p)), y);
      } else {
        path.moveTo(l_.Edge(static_cast<double>(p)), y);
      }
      path.lineTo(l_.Edge(static_cast<double>(p + 1)), y);
    }
    p_.setPen(QPen(colour, 1.4));
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(path);
  }

  // The points joined within each split, broken where a place holds no value.
  void DrawPoints(const PlotPanel& panel, const QRectF& r) {
    const auto& values = panel.data.values;
    QPainterPath path;
    for (std::size_t p = 0; p < values.size(); ++p) {
      if (!values[p]) continue;
      const QPointF at(l_.X(static_cast<double>(p)), Y(panel, r, *values[p]));
      if (p > 0 && values[p - 1] && SameSplit(p - 1, p)) {
        path.lineTo(at);
      } else {
        path.moveTo(at);
      }
    }
    p_.setPen(QPen(kPoints, 1.3));
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(path);
    p_.setPen(Qt::NoPen);
    p_.setBrush(kPoints);
    const double dot = std::clamp(l_.PlaceSpace() * 0.22, 1.6, 2.8);
    for (std::size_t p = 0; p < values.size(); ++p) {
      if (values[p])
        p_.drawEllipse(QPointF(l_.X(static_cast<double>(p)), Y(panel, r, *values[p])), dot, dot);
    }
  }

  void DrawShape(QPointF at, double size, const MarkStyle& style, double pen = 1.5) {
    p_.setPen(QPen(style.colour, pen));
    p_.setBrush(Qt::NoBrush);
    switch (style.shape) {
      case Shape::kCircle:
        p_.drawEllipse(at, size, size);
        return;
      case Shape::kSquare:
        p_.drawRect(QRectF(at.x() - size * 0.85, at.y() - size * 0.85, size * 1.7, size * 1.7));
        return;
      case Shape::kDiamond:
        p_.drawPolygon(QPolygonF({at + QPointF(0, -size * 1.15), at + QPointF(size * 1.15, 0),
                                  at + QPointF(0, size * 1.15), at + QPointF(-size * 1.15, 0)}));
        return;
      case Shape::kUp:
      case Shape::kDown: {
        const double d = style.shape == Shape::kUp ? 1 : -1;
        p_.drawPolygon(
            QPolygonF({at + QPointF(0, -d * size * 1.3), at + QPointF(size * 1.15, d * size * 0.75),
                       at + QPointF(-size * 1.15, d * size * 0.75)}));
        return;
      }
    }
  }

  // A point a signal covers: the first signal's shape around it, and a ring of the second's
  // colour when more cover it; the tracks under the panel tell them all apart.
  void DrawMark(const PlotMark& mark, const PlotPanel& panel, const QRectF& r) {
    const QPointF at(l_.X(mark.place), Y(panel, r, mark.value));
    DrawShape(at, 4.6, EntryStyle(mark.entries[0]), 1.7);
    if (mark.entries.size() > 1)
      DrawShape(at, 8.4, {EntryStyle(mark.entries[1]).colour, Shape::kCircle}, 1.2);
  }

  // One row per signal under the panel: its name, then a bar over each finding and its shape at
  // every point the finding covers.
  void DrawTracks(const PlotPanel& panel, std::size_t index) {
    if (panel.tracks.empty()) return;
    const QRectF& r = l_.panels[index];
    const double top = r.bottom() + kTrackGap, bottom = top + kTrackRow * panel.tracks.size();
    p_.save();
    p_.fillRect(QRectF(r.left(), top, r.width(), bottom - top), QColor(0xfa, 0xfa, 0xfa));
    DrawBackground(top, bottom);
    for (std::size_t row = 0; row < panel.tracks.size(); ++row) {
      const PlotTrack& track = panel.tracks[row];
      const MarkStyle style = EntryStyle(track.entry);
      const double y = l_.TrackY(index, row);
      p_.setFont(Font(11));
      p_.setPen(kInk);
      p_.drawText(QRectF(0, y - 8, r.left() - 22, 16), Qt::AlignRight | Qt::AlignVCenter,
                  Text(model_.legend[track.entry].name));
      DrawShape(QPointF(r.left() - 12, y), 3.6, style);
      QColor bar = style.colour;
      bar.setAlpha(90);
      p_.setPen(QPen(bar, 3, Qt::SolidLine, Qt::RoundCap));
      for (const auto& [first, last] : track.spans)
        p_.drawLine(QPointF(l_.X(first), y), QPointF(l_.X(last), y));
      for (std::int16_t place : track.places) DrawShape(QPointF(l_.X(place), y), 3.2, style, 1.3);
    }
    p_.setPen(QPen(kFrame, 1));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(QRectF(r.left(), top, r.width(), bottom - top));
    p_.restore();
  }

  // "UCL 65.43", "CL 60.03", "LCL 54.63" beside the right end of the lines, kept apart.
  void DrawLineNames(const PlotPanel& panel, const QRectF& r) {
    if (panel.data.lines.empty()) return;
    const PlotLines& last = panel.data.lines.back();
    struct Name {
      double y;
      QString text;
      QColor colour;
    };
    std::vector<Name> names;
    auto add = [&](const std::optional<float>& v, const char* what, const QColor& colour) {
      if (v && std::isfinite(*v))
        names.push_back(
            {Y(panel, r, *v), QString::fromLatin1(what) + Text(ShortValue(*v)), colour});
    };
    add(last.ucl, "UCL ", kLimit);
    add(last.centre, "CL ", kCentre);
    add(last.lcl, "LCL ", kLimit);
    std::sort(names.begin(), names.end(), [](const Name& a, const Name& b) { return a.y < b.y; });
    for (std::size_t i = 1; i < names.size(); ++i)
      names[i].y = std::max(names[i].y, names[i - 1].y + 14);
    p_.setFont(Font(11));
    for (const Name& n : names) {
      p_.setPen(n.colour);
      p_.drawText(QRectF(r.right() + 6, n.y - 8, kRight - 8, 16), Qt::AlignLeft | Qt::AlignVCenter,
                  n.text);
    }
  }

  void DrawPlaceTicks(const QRectF& r) {
    p_.setPen(QPen(kFrame, 1));
    for (std::size_t p = 0; p < l_.places; p += static_cast<std::size_t>(l_.label_step))
      p_.drawLine(QPointF(l_.X(static_cast<double>(p)), r.bottom()),
                  QPointF(l_.X(static_cast<double>(p)), r.bottom() + 4));
  }

  // The labels slant down to the left from their places under the last panel.
  void DrawPlaceLabels() {
    p_.setFont(Font(11));
    p_.setPen(kInk);
    for (std::size_t p = 0; p < l_.places; p += static_cast<std::size_t>(l_.label_step)) {
      p_.save();
      p_.translate(l_.X(static_cast<double>(p)) + 3, l_.labels_top);
      p_.rotate(-45);
      p_.drawText(QRectF(-400, -8, 400, 16), Qt::AlignRight | Qt::AlignVCenter,
                  Text(model_.labels[p]));
      p_.restore();
    }
  }

  QPainter& p_;
  const PlotModel& model_;
  const Layout& l_;
};

}  // namespace

QSize PlotSize(const PlotModel& model) {
  const Layout layout = LayOut(model);
  return {static_cast<int>(layout.width), static_cast<int>(layout.height)};
}

void PaintPlot(QPainter& painter, const PlotModel& model) {
  const Layout layout = LayOut(model);
  PlotPainter(painter, model, layout).Draw();
}

}  // namespace ostrevin
