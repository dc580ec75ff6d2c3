// The Pilots window: opened from the main window on LastDir's folder, sorted by a header click, a
// pilot opened by a double-click on the road of "Open pilotfile", "Add to log", and the refresh when
// the folder's files change.

#include "ui/pilots_form.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "program_fixture.h"
#include "roster/roster_build.h"
#include "roster/roster_columns.h"
#include "roster/roster_csv.h"
#include "ui/session.h"
#include "window_test_main.h"

using namespace orlenda;
using namespace orlenda::test;

namespace {

// A pilot whose score copies agree, unless `brokenCopy`.
PilotRecord Pilot(const char* name, std::int32_t score, bool brokenCopy = false) {
  PilotRecord record;
  std::copy(name, name + std::strlen(name), record.PilotName.begin());
  record.TODScoreA = record.TODScoreB = record.TODScoreC = record.TODScoreD = score;
  if (brokenCopy) record.TODScoreB = score + 1;
  return record;
}

void CloseViewWhenShown(QString& shownTitle) {
  WhenModalShown([&shownTitle](QWidget& view) {
    shownTitle = view.windowTitle();
    Click(view, "Button1");
  });
}

int Column(RosterColumn column) { return static_cast<int>(column); }

void ClickHeader(QTableView& table, RosterColumn column) {
  QHeaderView& header = *table.horizontalHeader();
  const int x = header.sectionViewportPosition(Column(column)) + header.sectionSize(Column(column)) / 2;
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(x, header.height() / 2));
}

QString Cell(const QTableView& table, int row, RosterColumn column) {
  return table.model()->index(row, Column(column)).data().toString();
}

QStringList LogLines(const ProgramFixture& program) { return program.LogText().split(QLatin1Char('\n')); }

}  // namespace

class PilotsFormTest : public QObject {
  Q_OBJECT

 private:
  // A folder of three pilots and a broken file, LastDir in it, and the window opened by its key.
  static TPilotsForm& OpenPilotsWindow(ProgramFixture& program, QString& folder) {
    folder = program.home.File(QStringLiteral("pilots"));
    QDir().mkpath(folder);
    WritePilot(folder + "/low.plt", Pilot("Low", 100));
    WritePilot(folder + "/high.plt", Pilot("High", 900, true));
    WritePilot(folder + "/middle.plt", Pilot("Middle", 500));
    WriteAll(folder + "/broken.plt", QByteArray(100, 'x'));
    return OpenPilotsWindowOn(program, folder);
  }

  static TPilotsForm& OpenPilotsWindowOn(ProgramFixture& program, const QString& folder) {
    program.SetSetting("LastDir", (folder + "/low.plt").toStdString());
    program.Start();
    program.Form1().show();
    program.Form1().activateWindow();
    if (!QTest::qWaitForWindowActive(&program.Form1()))
      throw std::runtime_error("the main window is not active");
    QTest::keyClick(&program.Form1(), Qt::Key_R, Qt::ControlModifier);  // clicks the button a moment later
    TPilotsForm* form = nullptr;
    (void)QTest::qWaitFor(
        [&] { return (form = program.Form1().findChild<TPilotsForm*>("PilotsForm")) != nullptr; });
    if (form == nullptr) throw std::runtime_error("Ctrl+R showed no Pilots window");
    return *form;
  }

 private slots:
  void opensSortsOpensAPilotAndAddsItsExportLines() {
    ProgramFixture program;
    QString folder;
    TPilotsForm& form = OpenPilotsWindow(program, folder);
    QCOMPARE(form.folder(), folder);
    QTRY_VERIFY(!form.Loading());
    QTableView& table = *Find<QTableView>(form, "PilotsTable");
    QCOMPARE(table.model()->rowCount(), 4);

    ClickHeader(table, RosterColumn::kTotal);
    const QStringList byScore = {Cell(table, 0, RosterColumn::kName), Cell(table, 1, RosterColumn::kName),
                                 Cell(table, 2, RosterColumn::kName)};
    QCOMPARE(byScore, (QStringList{"High", "Middle", "Low"}));
    QVERIFY(Cell(table, 3, RosterColumn::kName).startsWith("The file have wrong size. 100 "));
    QCOMPARE(Cell(table, 0, RosterColumn::kErrors), QStringLiteral("1"));
    QVERIFY(table.model()->index(0, 0).data(Qt::BackgroundRole).isValid());  // marked
    QVERIFY(!table.model()->index(1, 0).data(Qt::BackgroundRole).isValid());

    // A double-click walks the road of "Open pilotfile": the view of that file, its line in the log.
    QString shownTitle;
    CloseViewWhenShown(shownTitle);
    const QRect middle = table.visualRect(table.model()->index(1, Column(RosterColumn::kName)));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, middle.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, middle.center());
    QCOMPARE(shownTitle, folder + "/middle.plt");
    const QStringList linesOfViews = {program.View().ExportText()};

    // The lines that closing the views of "High" and "Middle" append, through "Open pilotfile".
    program.prompts.ChooseNextFile(folder + "/high.plt");
    CloseViewWhenShown(shownTitle);
    Click(program.Form1(), "GetScoreButton");
    QStringList expected = {LogLines(program).back(), linesOfViews.front()};
    QVERIFY(expected.front().startsWith("! high - Score: 900"));

    table.selectRow(0);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      table.visualRect(table.model()->index(1, 0)).center());
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::ControlModifier,  // the failed file adds nothing
                      table.visualRect(table.model()->index(3, 0)).center());
    const int linesBefore = LogLines(program).size();
    Click(form, "AddToLogButton");
    QCOMPARE(LogLines(program).mid(linesBefore), expected);
    QCOMPARE(program.prompts.messages.size(), 0u);

    Find<QLineEdit>(form, "FilterEdit")->setText(QStringLiteral("MID"));
    QCOMPARE(table.model()->rowCount(), 1);
    const QString csv = program.home.File(QStringLiteral("pilots.csv"));
    program.prompts.ChooseNextFile(csv);
    Click(form, "SaveCsvButton");
    const QList<QByteArray> records = ReadAll(csv).split('\n');
    QCOMPARE(records.size(), 3);  // the heading, the one row shown, nothing after the last line end
    QVERIFY(records[0].startsWith("file,name,rank,"));
    QVERIFY(records[1].startsWith("middle.plt,Middle,Recruit,"));
  }

  // "Save as CSV" writes the bytes that `roster --csv --sort file` prints for the folder (the window
  // sorts by file name at first), quoting a pilot name with a comma and quotes and a file name with a
  // comma.
  void savedCsvIsTheCommandLinesCsvByteForByte() {
    ProgramFixture program;
    const QString folder = program.home.File(QStringLiteral("pilots"));
    QDir().mkpath(folder);
    WritePilot(folder + "/Janson, Wes.plt", Pilot("Wes", 300));
    WritePilot(folder + "/ace.plt", Pilot("Ace \"Red\", 2", 900));
    WriteAll(folder + "/broken.plt", QByteArray(100, 'x'));
    TPilotsForm& form = OpenPilotsWindowOn(program, folder);
    QTRY_VERIFY(!form.Loading());
    const QString csv = program.home.File(QStringLiteral("pilots.csv"));
    program.prompts.ChooseNextFile(csv);
    Click(form, "SaveCsvButton");

    bool readable = false;
    const SettingsIni settings(program.home.SettingsFile().toStdString());
    std::vector<RosterRow> rows =
        BuildRoster(PilotFilesIn(LocalPath(folder), readable), settings.Snapshot(), FixedReportContext());
    SortRoster(rows, RosterColumn::kFile);
    const QByteArray commandLines = QByteArray::fromStdString(RosterCsv(rows));
    QCOMPARE(ReadAll(csv), commandLines);
    const QList<QByteArray> records = commandLines.split('\n');
    QCOMPARE(records.size(), 5);  // the heading, three files, nothing after the last line end
    QVERIFY(records[1].startsWith("ace.plt,\"Ace \"\"Red\"\", 2\","));
    QVERIFY(records[2].startsWith("\"Janson, Wes.plt\",Wes,"));
    QVERIFY(records[3].startsWith("broken.plt,"));
  }

  void refreshKeepsSortAndSelectionWhenFilesChange() {
    ProgramFixture program;
    QString folder;
    TPilotsForm& form = OpenPilotsWindow(program, folder);
    QTRY_VERIFY(!form.Loading());
    QTableView& table = *Find<QTableView>(form, "PilotsTable");
    ClickHeader(table, RosterColumn::kTotal);
    table.selectRow(2);  // "Low"

    WritePilot(folder + "/top.plt", Pilot("Top", 5000));  // another program saves a pilot
    WritePilot(folder + "/middle.plt", Pilot("Middle", 50));
    QTRY_COMPARE(table.model()->rowCount(), 5);
    QTRY_COMPARE(Cell(table, 3, RosterColumn::kName), QStringLiteral("Middle"));
    QCOMPARE(Cell(table, 0, RosterColumn::kName), QStringLiteral("Top"));
    const QModelIndexList selected = table.selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(Cell(table, selected.front().row(), RosterColumn::kName), QStringLiteral("Low"));
  }
};

ORLENDA_WINDOW_TEST_MAIN(PilotsFormTest)
#include "pilots_form_test.moc"
