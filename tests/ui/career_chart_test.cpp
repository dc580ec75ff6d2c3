// The score chart window, opened from the pilot file view and from the Pilots window, one behaviour a
// test over a shared fixture: the keyboard's highlight and its status line against the report's own
// listing, the check's note in red, the toggle to the combat simulator, following a save, "Save as
// PNG…", "Copy", the note on files that failed to load, a real club pilot's bars and battles, and a
// legend that tells every pilot apart.

#include "ui/charts/career_chart.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <set>

#include "base/grouped_number.h"
#include "pilot/enumerations.h"
#include "pilot/pilot_load.h"
#include "program_fixture.h"
#include "report/campaign_listing.h"
#include "report/number_text.h"
#include "settings/settings_snapshot.h"
#include "tools/pilot_file_writer.h"
#include "ui/charts/career_chart_canvas.h"
#include "ui/charts/career_chart_painters.h"
#include "ui/main_window/main_unit.h"
#include "ui/pilots/pilots_form.h"
#include "window_test_main.h"

using namespace orlenda;
using namespace orlenda::test;

namespace {

// A pilot of `missions` completed campaign missions with distinct values, its score copies agreeing
// unless `tampered`.
PilotRecord CareerPilot(const char* name, int missions, int step, bool tampered = false) {
  PilotRecord record;
  tools::SetText(record.PilotName, name);
  for (int i = 0; i < missions; ++i)
    record.CampaignMissions[static_cast<std::size_t>(i)] =
        tools::PresentMission(900 + step * i, 10 * i, 70 + 13 * i, i);
  record.CampaignMissionCount = static_cast<std::uint8_t>(missions);
  record.SimMissions[0] = tools::PresentMission(2500, 120, 300);
  record.SimMissionCount = 1;
  record.TODScoreB = tampered ? 1 : 0;
  return record;
}

// What the status line says of a mission, from the listing's own line for it ("17: Tot. Score= 9080
// (8550+530) Time=12:5") and the active-mission list's name.
QString ExpectedStatus(const QString& pilotFile, int number) {
  const PilotRecord record = LoadPilotFile(LocalPath(pilotFile)).record;
  LineCollector lines;
  MissionRange range{number, number};
  AppendCampaignListing(
      record, SettingsSnapshot::OfText("[Orlenda]\nShowZeroMissions=1\nShowMissionTime=1\n"), range, lines);
  const QString line = QString::fromStdString(lines.lines().at(1));
  const QStringList parts = line.split(QRegularExpression(QStringLiteral("[= ()+]+")), Qt::SkipEmptyParts);
  // "17:" "Tot." "Score" total score bonus "Time" time
  const auto grouped = [](const QString& value) {
    return QString::fromStdString(GroupedNumber(value.toLongLong()));
  };
  const QString name =
      QString::fromStdString(MissionIndexNames()[static_cast<std::size_t>(number - 1)]).trimmed();
  return name + QStringLiteral(": score ") + grouped(parts[4]) + QStringLiteral(" + bonus ") +
         grouped(parts[5]) + QStringLiteral(" = ") + grouped(parts[3]) + QStringLiteral(", time ") + parts[7];
}

// The chart window of the view or the Pilots window, once shown (a shortcut clicks its button a moment
// later).
TCareerChart& ChartOf(const QWidget& opener) {
  TCareerChart* chart = nullptr;
  (void)QTest::qWaitFor([&] {
    chart = opener.findChild<TCareerChart*>(QStringLiteral("CareerChart"));
    return chart != nullptr && chart->isVisible();
  });
  if (chart == nullptr) qFatal("no chart window");
  return *chart;
}

QString StatusOf(const TCareerChart& chart) { return Find<QLabel>(chart, "StatusLabel")->text(); }

int DistinctColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

// Whether the picture's top lines, where the title stands, hold the red of the check's note.
bool TitleHasRed(const QImage& image) {
  for (int y = 0; y < image.height() / 6; ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor colour = image.pixelColor(x, y);
      if (colour.red() > 150 && colour.green() < 60 && colour.blue() < 60) return true;
    }
  return false;
}

// What a screen reader reads of the chart besides its name.
QString AccessibleDescription(QWidget& widget) {
  return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Description);
}

// `count` careers of distinct pilots, as the Pilots window gives them to the chart.
std::vector<PilotCareer> Careers(int count) {
  std::vector<PilotCareer> careers;
  for (int i = 0; i < count; ++i) {
    const std::string name = "Pilot " + std::to_string(i + 1);
    careers.push_back(CareerOf(CareerPilot(name.c_str(), 3, 10 * i), SettingsSnapshot::OfText("")));
  }
  return careers;
}

}  // namespace

class CareerChartTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ProgramFixture> program_;
  QString pilot_;

  // The chart of a pilot of 20 missions, one score copy tampered, opened from the pilot file view.
  TCareerChart& AceChart() {
    program_->Start();
    pilot_ = WritePilot(program_->home.File(QStringLiteral("Ace.plt")), CareerPilot("Ace", 20, 37, true));
    TPltFileView& view = program_->View();
    if (view.ReadMission(pilot_) != 0) qFatal("Ace.plt did not load");
    view.show();
    Click(view, "ChartButton");
    return ChartOf(view);
  }

  // The Pilots window on a folder of a.plt (20 missions), b.plt (12) and broken.plt, a.plt and b.plt
  // charted.
  TCareerChart& PilotsChart() {
    const QString folder = program_->home.File(QStringLiteral("pilots"));
    QDir().mkpath(folder);
    WritePilot(folder + "/a.plt", CareerPilot("Alpha", 20, 37));
    WritePilot(folder + "/b.plt", CareerPilot("Bravo", 12, 90));
    WriteAll(folder + "/broken.plt", QByteArray(100, 'x'));
    program_->SetSetting("LastDir", (folder + "/a.plt").toStdString());
    program_->Start();
    program_->Form1().PilotsButtonClick();
    TPilotsForm& form = Pilots();
    if (!QTest::qWaitFor([&] { return !form.Loading(); })) qFatal("the Pilots window did not load");
    QTableView& table = *Find<QTableView>(form, "PilotsTable");
    table.selectRow(0);  // a.plt, b.plt, broken.plt by file name
    table.selectionModel()->select(table.model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) qFatal("the Pilots window is not active");
    QTest::keyClick(&table, Qt::Key_G, Qt::ControlModifier);
    return ChartOf(form);
  }

  TPilotsForm& Pilots() const {
    return *program_->Form1().findChild<TPilotsForm*>(QStringLiteral("PilotsForm"));
  }

 private slots:
  void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
  void init() { program_ = std::make_unique<ProgramFixture>(); }
  void cleanup() { program_.reset(); }

  void theTitleNamesThePilotAndTheCheckNoteIsRed() {
    TCareerChart& chart = AceChart();
    QVERIFY(chart.windowTitle().contains(QStringLiteral("Ace (Ace.plt): campaign missions")));
    QVERIFY(TitleHasRed(chart.Picture()));  // "1 error(s) found!"
  }

  void theKeyboardsHighlightSaysWhatTheListingSays() {
    TCareerChart& chart = AceChart();
    auto& canvas = *Find<CareerChartCanvas>(chart, "ChartCanvas");
    for (int i = 0; i < 17; ++i) QTest::keyClick(&canvas, Qt::Key_Right);
    const QString expected = ExpectedStatus(pilot_, 17);
    QCOMPARE(StatusOf(chart), expected);
    QVERIFY(
        expected.startsWith(QStringLiteral("17 - Flight Staff Transfer: score 1,492 + bonus 160 = 1,652")));
    QCOMPARE(AccessibleDescription(canvas), expected);
    QTest::keyClick(&canvas, Qt::Key_End);
    QCOMPARE(StatusOf(chart), ExpectedStatus(pilot_, 20));
  }

  void hoveringOverABarTellsTheSameInATooltip() {
    TCareerChart& chart = AceChart();
    auto& canvas = *Find<CareerChartCanvas>(chart, "ChartCanvas");
    const int y = canvas.height() / 2;
    int x = 0;
    while (x < canvas.width() && canvas.picture().PointAt(QPointF(x, y), QRectF(canvas.rect()),
                                                          QFontMetricsF(canvas.font())) != ChartPoint{0, 16})
      ++x;
    QHelpEvent hover(QEvent::ToolTip, QPoint(x, y), canvas.mapToGlobal(QPoint(x, y)));
    QCoreApplication::sendEvent(&canvas, &hover);
    QCOMPARE(QToolTip::text(), ExpectedStatus(pilot_, 17));
  }

  void aDarkPaletteDarkensThePictureAndKeepsItsBars() {
    TCareerChart& chart = AceChart();
    QPalette dark = chart.palette();
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    chart.setPalette(dark);
    const QImage darkPicture = chart.Picture();
    QVERIFY(darkPicture.pixelColor(2, 2).lightness() < 60);
    QVERIFY(DistinctColours(darkPicture) > 4);
  }

  void theToggleShowsTheCombatSimulatorMissions() {
    TCareerChart& chart = AceChart();
    auto& canvas = *Find<CareerChartCanvas>(chart, "ChartCanvas");
    Find<QCheckBox>(chart, "SimulatorCheckBox")->setChecked(true);
    QVERIFY(chart.windowTitle().endsWith(QStringLiteral("combat simulator missions")));
    QTest::keyClick(&canvas, Qt::Key_Home);
    QCOMPARE(StatusOf(chart),
             QStringLiteral("Combat simulator mission 1: score 2,500 + bonus 120 = 2,620, time 5:00"));
  }

  void aSaveRebuildsTheChartFromTheBytesWritten() {
    TCareerChart& chart = AceChart();
    Find<QLineEdit>(program_->View(), "PilotNameEdit")->setText(QStringLiteral("Aced"));
    program_->prompts.AnswerNext(MessageAnswer::Yes);
    Click(program_->View(), "Button2");
    QVERIFY(chart.windowTitle().contains(QStringLiteral("Aced (Ace.plt)")));
  }

  void saveAsPngBesideThePilotAndCopy() {
    TCareerChart& chart = AceChart();
    chart.resize(700, 420);
    const QString png = program_->home.File(QStringLiteral("Ace chart.png"));
    program_->prompts.ChooseNextFile(png);
    Click(chart, "SavePngButton");
    QCOMPARE(program_->prompts.fileDialogs.back().state.fileName, png);  // offered beside the pilot file
    const QImage saved(png);
    QCOMPARE(saved.size(), chart.size() * chart.devicePixelRatio());  // at least the buttons' width
    QVERIFY(DistinctColours(saved) > 4);
    Click(chart, "CopyButton");
    QCOMPARE(QGuiApplication::clipboard()->image().size(), saved.size());
  }

  void aPngThatCannotBeWrittenIsNamed() {
    TCareerChart& chart = AceChart();
    program_->prompts.ChooseNextFile(program_->home.File(QStringLiteral("no folder/chart.png")));
    Click(chart, "SavePngButton");
    QCOMPARE(program_->prompts.standardErrors.size(), 1);
    QVERIFY(program_->prompts.standardErrors.front().startsWith(QStringLiteral("Cannot create file ")));
  }

  void twoRowsGiveLinesAndTheHighlightStaysInAPilotsMissions() {
    TCareerChart& chart = PilotsChart();
    auto& canvas = *Find<CareerChartCanvas>(chart, "ChartCanvas");
    QCOMPARE(canvas.picture().careers().size(), 2u);
    QVERIFY(canvas.picture().ShowsLines());
    QVERIFY(!Find<QCheckBox>(chart, "SimulatorCheckBox")->isVisible());
    QVERIFY(!Find<QLabel>(chart, "NoteLabel")->isVisible());
    QTest::keyClick(&canvas, Qt::Key_End);
    QTest::keyClick(&canvas, Qt::Key_Down);  // Bravo has 12 missions: the highlight stays in them
    QCOMPARE(StatusOf(chart),
             QStringLiteral("Bravo, 12 - Reconnaissance of Imperial Task Force: campaign total "
                            "17,400 (score 1,890 + bonus 110 = 2,000, time 3:33)"));
  }

  void aFileThatFailsToLoadIsNamedInTheNote() {
    TCareerChart& chart = PilotsChart();
    Find<QTableView>(Pilots(), "PilotsTable")->selectAll();
    Click(Pilots(), "ChartButton");
    QCOMPARE(Find<CareerChartCanvas>(chart, "ChartCanvas")->picture().careers().size(), 2u);
    const QString note = Find<QLabel>(chart, "NoteLabel")->text();
    QVERIFY(Find<QLabel>(chart, "NoteLabel")->isVisible());
    QVERIFY2(note.contains(QStringLiteral("\nbroken.plt: The file have wrong size. 100 ")), qPrintable(note));
  }

  void aClubPilotsChartHasABarForEveryFlownSlotAndItsBattleMarked() {
    const QString real = QStringLiteral(ORLENDA_REAL_PILOTS_DIR "/PickledYoda0.plt");
    if (!QFile::exists(real)) QSKIP("the real pilot files are not beside this checkout");
    program_->Start();
    const QString copy = program_->home.File(QStringLiteral("PickledYoda0.plt"));
    QVERIFY(QFile::copy(real, copy));
    TPltFileView& view = program_->View();
    QCOMPARE(view.ReadMission(copy), 0);
    view.show();
    Click(view, "ChartButton");
    const auto& canvas = *Find<CareerChartCanvas>(ChartOf(view), "ChartCanvas");
    const ChartLayout layout = canvas.picture().Layout(QRectF(canvas.rect()), QFontMetricsF(canvas.font()));
    QCOMPARE(layout.bars.size(), 25u);
    QVERIFY(!layout.battles.empty());
    for (const ChartBar& bar : layout.bars)
      QVERIFY(std::any_of(layout.battles.begin(), layout.battles.end(),
                          [&](const BattleMark& mark) { return mark.band.contains(bar.column.center()); }));
  }

  void theLegendGivesEachOf25PilotsAStyleOfItsOwn() {
    CareerChartPicture picture;
    picture.SetCareers(Careers(25));
    const ChartLayout layout = picture.Layout(QRectF(0, 0, 900, 600), QFontMetricsF(QFont()));
    QCOMPARE(layout.legend.size(), 25u);
    std::set<std::pair<QRgb, QList<qreal>>> styles;
    for (const LegendEntry& entry : layout.legend) {
      const QPen pen = PilotPen(PilotStyleOf(entry.pilot), QPalette());
      styles.insert({pen.color().rgb(), pen.style() == Qt::SolidLine ? QList<qreal>{} : pen.dashPattern()});
    }
    QCOMPARE(styles.size(), 25u);
  }
};

ORLENDA_WINDOW_TEST_MAIN(CareerChartTest)
#include "career_chart_test.moc"
