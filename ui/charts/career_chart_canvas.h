#pragma once

// The score chart on screen: draws the picture at the widget's size and the screen's scale factor in
// the widget's palette, shows a mission's values in a tooltip on hover, and lets the arrow keys walk
// the missions (Up and Down go from pilot to pilot), telling the status line and a screen reader
// what is highlighted.

#include <QImage>
#include <QWidget>
#include <optional>

#include "ui/charts/career_chart_picture.h"

namespace orlenda {

class CareerChartCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit CareerChartCanvas(QWidget* parent = nullptr);

  const CareerChartPicture& picture() const { return picture_; }
  // Changes the picture; the highlight stays on its mission when the picture still has it.
  void SetCareers(std::vector<PilotCareer> careers);
  void SetSimulator(bool simulator);

  std::optional<ChartPoint> highlight() const { return highlight_; }
  // What the status line says: the highlighted mission's values, or how to reach them.
  QString StatusText() const;

  // The picture alone, without the highlight, at `size` and this screen's scale factor.
  QImage Render(const QSize& size) const;

 signals:
  void StatusChanged(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Highlight(std::optional<ChartPoint> point);
  void PictureChanged();
  void Announce();

  CareerChartPicture picture_;
  std::optional<ChartPoint> highlight_;
};

}  // namespace orlenda
