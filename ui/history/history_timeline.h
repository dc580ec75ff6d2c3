#pragma once

// The History window's timeline: the campaign total (a line with a point per kept state) and the
// missions won (a second line) over real time. As in the score charts, the arrow keys walk from point to
// point (Home and End to the ends) and a point's values show in a tooltip on hover; the highlighted
// point is the table's chosen state.

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "history/history_store.h"
#include "history/timeline_layout.h"

namespace orlenda {

class HistoryTimeline : public QWidget {
  Q_OBJECT

 public:
  explicit HistoryTimeline(QWidget* parent);

  void SetStates(const std::vector<KeptState>& states);
  // Highlights the point of the state at `index` in the states given, or none.
  void Highlight(std::optional<std::size_t> index);
  std::optional<std::size_t> highlight() const { return highlight_; }
  const TimelineLayout& layout() const { return layout_; }

  // What a tooltip says of the point at `index`: "State 3, 2026-12-03 21:14: campaign total 15,490,
  // 58 missions won".
  QString PointText(std::size_t index) const;

  // Called when the keyboard or the mouse highlights another point.
  std::function<void(std::size_t)> pointChosen;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QRectF Plot() const;
  QPointF Where(double x, double y) const;
  std::optional<std::size_t> PointAt(QPointF position) const;
  void Choose(std::optional<std::size_t> index);

  std::vector<KeptState> states_;
  TimelineLayout layout_;
  std::optional<std::size_t> highlight_;
};

}  // namespace orlenda
