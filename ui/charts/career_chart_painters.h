#pragma once

// The score chart's painters: each draws one part of a laid-out chart and decides nothing of where it
// goes. Colours come from the palette, score and bonus keeping their hues on a dark one.

#include <QPen>
#include <QString>
#include <optional>
#include <vector>

#include "ui/charts/career_chart_layout.h"

class QPainter;
class QPalette;

namespace orlenda {

// The pen of a pilot's line in the legend and the plot.
QPen PilotPen(PilotStyle style, const QPalette& palette, double width = 1);

void PaintBackground(QPainter& painter, const ChartLayout& layout, const QPalette& palette);
void PaintTitle(QPainter& painter, const ChartLayout& layout, const QPalette& palette, const QString& title);
void PaintAxes(QPainter& painter, const ChartLayout& layout, const QPalette& palette);
void PaintBattles(QPainter& painter, const ChartLayout& layout, const QPalette& palette);
void PaintBars(QPainter& painter, const ChartLayout& layout, const QPalette& palette,
               std::optional<int> highlight);
// Each pilot's running totals as a line, `highlighted` drawn wider, `point` ringed.
void PaintLines(QPainter& painter, const ChartLayout& layout, const QPalette& palette,
                const std::vector<std::vector<QPointF>>& lines, std::optional<int> highlighted,
                std::optional<QPointF> point);
void PaintLegend(QPainter& painter, const ChartLayout& layout, const QPalette& palette);

}  // namespace orlenda
