// The History window of a pilot with 10,000 kept states: opened (the store read, the table and the
// timeline filled, the window shown and painted once; goal under 200 ms), and its timeline drawn at the
// window's size (goal one frame at 60 Hz, 16 ms).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "history/history_store.h"
#include "long_history.h"
#include "pilot/pilot_backup.h"
#include "ui/history/history_timeline.h"
#include "ui/history/history_window.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/session.h"

namespace orlenda::bench {
namespace {

constexpr int kStates = 10'000;

// The history in the place the windows open it: the benchmark's own data folder. Made once for both
// benchmarks, whose functions the library calls several times.
struct LongHistory {
  BenchFolder folder{"orlenda-history-window-bench"};
  std::string pilot = folder.File("pilot.plt");

  LongHistory() {
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder.path.string()));
    MakeLongHistory(HistoryStore::DefaultPath(), pilot, kStates);
  }

  static const LongHistory& Shared() {
    static const LongHistory made;
    return made;
  }
};

void BM_OpenHistoryWindowOf10000States(benchmark::State& state) {
  const LongHistory& history = LongHistory::Shared();
  QtPrompts prompts(QStringLiteral("Orlenda 3001"));
  Session session(prompts, history.folder.File("orlenda3001.ini"));
  PilotBackups backups;
  for (auto _ : state) {
    THistoryWindow window(session, history.pilot, backups, nullptr);
    window.Present();
    window.repaint();
    benchmark::DoNotOptimize(window.states().size());
  }
}
BENCHMARK(BM_OpenHistoryWindowOf10000States)->Unit(benchmark::kMillisecond);

void BM_DrawTimelineOf10000States(benchmark::State& state) {
  const LongHistory& history = LongHistory::Shared();
  HistoryTimeline timeline(nullptr);
  timeline.SetStates(HistoryStore(HistoryStore::DefaultPath(), 30000).States(history.pilot));
  timeline.resize(760, 200);  // the History window's first size
  timeline.Highlight(kStates / 2);
  QImage image(timeline.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    timeline.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["points"] = static_cast<double>(timeline.layout().points.size());
}
BENCHMARK(BM_DrawTimelineOf10000States)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlenda::bench
