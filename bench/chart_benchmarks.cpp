// Drawing the score charts: the running campaign totals of 20 pilots with 255 missions each, and one
// pilot's 255 stacked bars, into an image of a large chart window's size at the scale factors 1 and 2.
// The goal is one frame at 60 Hz: under 16 ms for the whole picture, axes, texts and legend included.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "bench/bench_files.h"
#include "roster/career.h"
#include "settings/settings_snapshot.h"
#include "ui/charts/career_chart_picture.h"

namespace orlenda::bench {
namespace {

constexpr int kPilots = 20;
constexpr QSize kChartSize(1280, 720);

// Full pilots whose scores differ from pilot to pilot, so that the lines cross the whole picture.
std::vector<PilotCareer> FullCareers(int count) {
  const SettingsSnapshot settings = SettingsSnapshot::OfText("[Orlenda]\n");
  std::vector<PilotCareer> careers;
  for (int pilot = 0; pilot < count; ++pilot) {
    PilotRecord record = FullPilot();
    for (std::size_t i = 0; i < kMissionSlotCount; ++i)
      record.CampaignMissions[i].Score += pilot * 97 * (i % 7);
    record.CampaignMissionCount = static_cast<std::uint8_t>(kMissionSlotCount);
    record.PilotFileName = "/pilots/Pilot_" + std::to_string(pilot) + ".plt";
    careers.push_back(CareerOf(record, settings));
  }
  return careers;
}

void DrawInto(benchmark::State& state, const CareerChartPicture& picture) {
  const qreal ratio = static_cast<qreal>(state.range(0));
  QImage image(kChartSize * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  const QPalette palette = QApplication::palette();
  for (auto _ : state) {
    QPainter painter(&image);
    picture.Draw(painter, QRectF(QPointF(0, 0), QSizeF(kChartSize)), palette, ChartPoint{kPilots / 2, 200});
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_DrawRunningTotalsOf20Pilots(benchmark::State& state) {
  CareerChartPicture picture;
  picture.SetCareers(FullCareers(kPilots));
  DrawInto(state, picture);
}
BENCHMARK(BM_DrawRunningTotalsOf20Pilots)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_DrawBarsOf255Missions(benchmark::State& state) {
  CareerChartPicture picture;
  picture.SetCareers(FullCareers(1));
  DrawInto(state, picture);
}
BENCHMARK(BM_DrawBarsOf255Missions)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlenda::bench
