#include "ui/charts/career_chart_painters.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <vector>

namespace orlenda {
namespace {

bool IsDark(const QPalette& palette) { return palette.color(QPalette::Base).lightness() < 128; }

struct ChartColours {
  QColor background;
  QColor text;
  QColor grid;
  QColor score;
  QColor bonus;
  QColor error;
  QColor highlight;
};

ChartColours ColoursFor(const QPalette& palette) {
  const bool dark = IsDark(palette);
  ChartColours colours;
  colours.background = palette.color(QPalette::Base);
  colours.text = palette.color(QPalette::Text);
  colours.grid = palette.color(QPalette::Text);
  colours.grid.setAlpha(40);
  colours.score = dark ? QColor(0x6f, 0xa8, 0xff) : QColor(0x2f, 0x62, 0xb0);
  colours.bonus = dark ? QColor(0xff, 0xb3, 0x47) : QColor(0xe0, 0x84, 0x10);
  colours.error = dark ? QColor(0xff, 0x6b, 0x6b) : QColor(0xc0, 0x00, 0x00);
  colours.highlight = palette.color(QPalette::Highlight);
  return colours;
}

QPen DashedPen(const QColor& colour) {
  QPen dashed(colour, 1, Qt::DashLine);
  dashed.setCosmetic(true);
  return dashed;
}

void PaintSwatch(QPainter& painter, const LegendEntry& entry, const QRectF& mark, const QPalette& palette) {
  const ChartColours colours = ColoursFor(palette);
  switch (entry.swatch) {
    case Swatch::kScore:
    case Swatch::kBonus:
      painter.fillRect(mark, entry.swatch == Swatch::kScore ? colours.score : colours.bonus);
      break;
    case Swatch::kActive:
      painter.setPen(DashedPen(colours.text));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(mark);
      break;
    case Swatch::kPilot:
      painter.setPen(PilotPen(PilotStyleOf(entry.pilot), palette, 2));
      painter.drawLine(QPointF(mark.left(), mark.center().y()), QPointF(mark.right(), mark.center().y()));
      break;
  }
}

}  // namespace

// Eight hues that stay apart for most eyes; further pilots take them again with another dash. The
// lines are one device pixel wide, which the raster engine draws several times faster than wider ones
// (20 pilots' lines in a few milliseconds at any scale factor); the highlighted pilot's is wider.
QPen PilotPen(PilotStyle style, const QPalette& palette, double width) {
  static constexpr std::array<QRgb, 8> kLight{0x0072b2, 0xd55e00, 0x009e73, 0xcc79a7,
                                              0x8a6d00, 0x56b4e9, 0x555555, 0x7b3294};
  static constexpr std::array<QRgb, 8> kDark{0x56b4e9, 0xff8c42, 0x3ddc97, 0xf0a3d0,
                                             0xf0e442, 0x9ecae1, 0xcccccc, 0xc2a5cf};
  const auto hue = static_cast<std::size_t>(style.hue) % kLight.size();
  QPen pen(QColor::fromRgb((IsDark(palette) ? kDark : kLight)[hue]), width);
  pen.setCosmetic(true);
  if (style.dash == 1) pen.setStyle(Qt::DashLine);
  if (style.dash == 2) pen.setStyle(Qt::DotLine);
  if (style.dash > 2) pen.setDashPattern({static_cast<qreal>(style.dash), 2, 1, 2});  // one per dash
  return pen;
}

void PaintBackground(QPainter& painter, const ChartLayout& layout, const QPalette& palette) {
  painter.fillRect(layout.area, ColoursFor(palette).background);
}

void PaintTitle(QPainter& painter, const ChartLayout& layout, const QPalette& palette, const QString& title) {
  const ChartColours colours = ColoursFor(palette);
  const double margin = layout.line * 0.6;
  const double width = layout.area.width() - 2 * margin;
  QRectF line(layout.area.left() + margin, layout.area.top() + margin, width, layout.line);
  const QFont plain = painter.font();
  QFont bold = plain;
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(colours.text);
  painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetricsF(bold).elidedText(title, Qt::ElideMiddle, width));
  painter.setFont(plain);
  if (layout.note.isEmpty()) return;
  painter.setPen(colours.error);
  painter.drawText(line.translated(0, layout.line), Qt::AlignLeft | Qt::AlignVCenter, layout.note);
}

void PaintAxes(QPainter& painter, const ChartLayout& layout, const QPalette& palette) {
  const ChartColours colours = ColoursFor(palette);
  const QRectF& plot = layout.plot;
  for (const ScaleTick& tick : layout.scale.ticks) {
    const double y = layout.Y(tick.value);
    painter.setPen(tick.value == 0 ? colours.text : colours.grid);
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    painter.setPen(colours.text);
    const QRectF label(layout.area.left(), y - layout.line / 2,
                       plot.left() - layout.area.left() - layout.line * 0.3, layout.line);
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(tick.label));
  }
  painter.setPen(colours.text);
  painter.drawLine(plot.bottomLeft(), plot.topLeft());
  const double slot = layout.SlotWidth();
  for (int number : layout.missionTicks) {
    const QRectF label(layout.X(number) - slot / 2 - layout.line * 2, plot.bottom() + layout.line * 0.2,
                       slot + layout.line * 4, layout.line);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop, QString::number(number));
  }
  painter.drawText(QRectF(plot.left(), plot.bottom() + layout.line * 1.2, plot.width(), layout.line),
                   Qt::AlignHCenter | Qt::AlignTop, layout.caption);
  if (!layout.emptyText.isEmpty()) painter.drawText(plot, Qt::AlignCenter, layout.emptyText);
}

// Every other battle's columns shaded, each battle's first column edged, its name at the plot's top
// where it fits into its band and clears the names already drawn (pilots whose battles start at other
// missions have bands that overlap).
void PaintBattles(QPainter& painter, const ChartLayout& layout, const QPalette& palette) {
  const ChartColours colours = ColoursFor(palette);
  QColor shade = colours.text;
  shade.setAlpha(14);
  const QFontMetricsF metrics(painter.font());
  std::vector<QRectF> names;
  for (std::size_t i = 0; i < layout.battles.size(); ++i) {
    const BattleMark& mark = layout.battles[i];
    if (i % 2 == 1) painter.fillRect(mark.band, shade);
    painter.setPen(colours.grid);
    painter.drawLine(mark.band.topLeft(), mark.band.bottomLeft());
    const double width = metrics.horizontalAdvance(mark.label);
    const QRectF name(mark.band.center().x() - width / 2, mark.band.top(), width, layout.line);
    const auto clashes = [&name](const QRectF& drawn) { return drawn.intersects(name); };
    if (width > mark.band.width() || std::any_of(names.begin(), names.end(), clashes)) continue;
    names.push_back(name);
    painter.setPen(colours.text);
    painter.drawText(name, Qt::AlignHCenter | Qt::AlignTop, mark.label);
  }
}

void PaintBars(QPainter& painter, const ChartLayout& layout, const QPalette& palette,
               std::optional<int> highlight) {
  const ChartColours colours = ColoursFor(palette);
  if (layout.activeColumn) {
    painter.setPen(DashedPen(colours.text));
    painter.setBrush(Qt::NoBrush);
    const QRectF& column = *layout.activeColumn;
    painter.drawRect(column.adjusted(column.width() * 0.12, 0, -column.width() * 0.12, 0));
  }
  for (const ChartBar& bar : layout.bars) {
    if (highlight == bar.mission) {
      QColor shade = colours.highlight;
      shade.setAlpha(60);
      painter.fillRect(bar.column, shade);
    }
    painter.fillRect(bar.score, colours.score);
    painter.fillRect(bar.bonus, colours.bonus);
    if (highlight != bar.mission) continue;
    QPen outline(colours.text, 2);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar.score.united(bar.bonus).adjusted(-1, -1, 1, 1));
  }
}

void PaintLines(QPainter& painter, const ChartLayout& layout, const QPalette& palette,
                const std::vector<std::vector<QPointF>>& lines, std::optional<int> highlighted,
                std::optional<QPointF> point) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  const bool dots = layout.SlotWidth() >= layout.line * 0.5;
  for (int pilot = 0; pilot < static_cast<int>(lines.size()); ++pilot) {
    const QPolygonF points(QList<QPointF>(lines[static_cast<std::size_t>(pilot)].begin(),
                                          lines[static_cast<std::size_t>(pilot)].end()));
    const QPen pen = PilotPen(PilotStyleOf(pilot), palette, highlighted == pilot ? 2.5 : 1);
    painter.setPen(pen);
    painter.drawPolyline(points);
    if (!dots) continue;
    painter.setBrush(pen.color());
    painter.setPen(Qt::NoPen);
    for (const QPointF& dot : points) painter.drawEllipse(dot, 2.5, 2.5);
  }
  if (!highlighted || !point) return;
  painter.setPen(DashedPen(ColoursFor(palette).highlight));
  painter.drawLine(QPointF(point->x(), layout.plot.top()), QPointF(point->x(), layout.plot.bottom()));
  QPen ring = PilotPen(PilotStyleOf(*highlighted), palette, 2);
  ring.setStyle(Qt::SolidLine);
  painter.setPen(ring);
  painter.setBrush(ColoursFor(palette).background);
  painter.drawEllipse(*point, layout.line * 0.35, layout.line * 0.35);
}

void PaintLegend(QPainter& painter, const ChartLayout& layout, const QPalette& palette) {
  const ChartColours colours = ColoursFor(palette);
  const double swatch = layout.line * 1.6;
  for (const LegendEntry& entry : layout.legend) {
    const QRectF mark(entry.place.left(), entry.place.top() + layout.line * 0.2, swatch, layout.line * 0.6);
    PaintSwatch(painter, entry, mark, palette);
    painter.setPen(entry.error ? colours.error : colours.text);
    const QRectF text = entry.place.adjusted(swatch + layout.line * 0.4, 0, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, entry.text);
  }
}

}  // namespace orlenda
