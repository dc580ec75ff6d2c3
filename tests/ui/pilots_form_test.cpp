// The Pilots window: opened from the main window on LastDir's folder, sorted by a header click, a
// pilot opened by a double-click on the road of "Open pilotfile", "Add to log", the refresh when
// the folder's files change, names that are no plain text, and "Save as CSV…" beside pilot files.

#include "ui/pilots/pilots_form.h"

#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "base/folder_entries.h"
#include "base/sha256.h"
#include "history/history_store.h"
#include "program_fixture.h"
#include "roster/roster_build.h"
#include "roster/roster_columns.h"
#include "roster/roster_csv.h"
#include "tools/pilot_file_writer.h"
#include "ui/pilots/roster_table_model.h"
#include "ui/shell/session.h"
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
    program.SetSetting("LastDir", (folder + "/low.plt").toStdString());  // a file in the folder
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
    if (!QTest::qWaitFor([form] { return !form->Loading(); })) throw std::runtime_error("rows still loading");
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
    const QString failure = Cell(table, 3, RosterColumn::kMessage);  // whole, in the last column
    QVERIFY(failure.startsWith("The file have wrong size. 100 "));
    QVERIFY(!table.isColumnHidden(Column(RosterColumn::kMessage)));
    QVERIFY(table.columnWidth(Column(RosterColumn::kMessage)) >=
            table.fontMetrics().horizontalAdvance(failure));
    QCOMPARE(Cell(table, 3, RosterColumn::kName), QString());
    QCOMPARE(Cell(table, 0, RosterColumn::kErrors), QStringLiteral("1"));
    QVERIFY(table.model()->index(0, 0).data(Qt::BackgroundRole).isValid());  // marked
    QVERIFY(!table.model()->index(1, 0).data(Qt::BackgroundRole).isValid());

    // A double-click walks the road of "Open pilotfile": the view of that file, its line in the log.
    QString shownTitle;
    CloseViewWhenShown(shownTitle);
    const QRect middle = table.visualRect(table.model()->index(1, Column(RosterColumn::kName)));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, middle.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, middle.center());
    QCOMPARE(shownTitle, ShownPath(folder + "/middle.plt"));
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

  // Files named by bytes that are no plain text: each opens by the name that the folder's listing gave
  // and adds its line, and its name reaches the table and the view's title escaped, never raw.
  void filesNamedByAnyBytesOpenAddToTheLogAndShowEscaped() {
#ifdef Q_OS_WIN
    QSKIP("Windows file names are UTF-16 text without control characters");
#endif
    ProgramFixture program;
    const QString folder = program.home.File(QStringLiteral("odd"));
    QDir().mkpath(folder);
    for (const char* name : {"/bad\xffname.plt", "/esc\x1bname.plt"}) {
      QVERIFY(tools::WriteBytesToFile(LocalPath(folder) + name, tools::EncodePilotFile(Pilot("Odd", 300))));
    }
    TPilotsForm& form = OpenPilotsWindowOn(program, folder);
    QTableView& table = *Find<QTableView>(form, "PilotsTable");
    QCOMPARE(table.model()->rowCount(), 2);
    QCOMPARE(Cell(table, 1, RosterColumn::kFile), QStringLiteral("esc\\x1Bname.plt"));

    QString shownTitle;
    CloseViewWhenShown(shownTitle);
    const QRect bad = table.visualRect(table.model()->index(0, Column(RosterColumn::kName)));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, bad.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, bad.center());
    QCOMPARE(shownTitle, ShownPath(folder + QStringLiteral("/bad")) + QStringLiteral("\\xFFname.plt"));
    const QString badLine = program.View().ExportText();
    QCOMPARE(LogLines(program), QStringList{badLine});

    table.selectAll();
    Click(form, "AddToLogButton");
    QCOMPARE(program.View().windowTitle(),
             ShownPath(folder + QStringLiteral("/esc")) + QStringLiteral("\\x1Bname.plt"));
    QCOMPARE(LogLines(program), (QStringList{badLine, badLine, program.View().ExportText()}));
    QCOMPARE(program.prompts.MessageTexts(), QStringList());
    for (const char* name : {"/bad\xffname.plt", "/esc\x1bname.plt"}) RemoveFile(LocalPath(folder) + name);
  }

  // A line that the command line appended before "Add to log" stays before the lines added, and a
  // save keeps each line once.
  void addToLogKeepsTheOrderInWhichLinesCame() {
    ProgramFixture program;
    WriteAll(program.home.LogFile(), "first line\r\n");
    QString folder;
    TPilotsForm& form = OpenPilotsWindow(program, folder);
    QProcess cli;
    cli.start(QStringLiteral(ORLENDA_CLI_PATH), {QStringLiteral("export"), folder + "/high.plt",
                                                 QStringLiteral("--log"), program.home.LogFile()});
    QVERIFY(cli.waitForFinished() && cli.exitCode() == 0);
    const QByteArray cliLine = ReadAll(program.home.LogFile()).mid(12);
    QVERIFY(cliLine.startsWith("! high - Score: 900"));

    QTableView& table = *Find<QTableView>(form, "PilotsTable");
    table.selectRow(2);  // "low.plt", by file name
    Click(form, "AddToLogButton");
    Click(program.Form1(), "SaveButton");
    QCOMPARE(ReadAll(program.home.LogFile()),
             "first line\r\n" + cliLine + program.View().ExportText().toUtf8() + "\r\n");
  }

  // "Save as CSV…" refuses a pilot file, by its name in any letter case or by its bytes, in the log's
  // words, and shows the dialog again; the pilot stays as it was.
  void saveAsCsvNeverWritesOverAPilot() {
    ProgramFixture program;
    QString folder;
    TPilotsForm& form = OpenPilotsWindow(program, folder);
    const QString pilot = folder + "/low.plt";
    const QByteArray bytes = ReadAll(pilot);
    const QString copy = folder + "/low-copy.csv";  // a pilot's bytes under another name
    WriteAll(copy, bytes);
    for (const QString& chosen : {pilot, folder + "/NEW.PLT", copy}) program.prompts.ChooseNextFile(chosen);
    program.prompts.ChooseNextFile(std::nullopt);
    Click(form, "SaveCsvButton");
    const auto refusal = [](const QString& path) {
      return QStringLiteral("Cannot use ") + QDir::toNativeSeparators(path) +
             QStringLiteral(" as the CSV file: it is a pilot file");
    };
    QCOMPARE(program.prompts.MessageTexts(),
             (QStringList{refusal(pilot), refusal(folder + "/NEW.PLT"), refusal(copy)}));
    QCOMPARE(program.prompts.fileDialogs.size(), std::size_t{4});
    QCOMPARE(program.prompts.fileDialogs.at(3).state.fileName,
             folder + "/pilots.csv");  // shown again as preset
    QCOMPARE(ReadAll(pilot), bytes);
    QCOMPARE(ReadAll(copy), bytes);
    QVERIFY(!QFile::exists(folder + "/NEW.PLT"));
  }

  // Two names of one file (hard links): a save through one name shows under both, and a file renamed
  // over one name shows under that name, the other keeping the old file.
  void hardLinkedNamesFollowTheFilesTheyName() {
    ProgramFixture program;
    const QString folder = program.home.File(QStringLiteral("linked"));
    QDir().mkpath(folder);
    WritePilot(folder + "/a.plt", Pilot("Ace", 100));
    std::filesystem::create_hard_link(LocalPath(folder + "/a.plt"), LocalPath(folder + "/b.plt"));
    TPilotsForm& form = OpenPilotsWindowOn(program, folder);
    const QTableView& table = *Find<QTableView>(form, "PilotsTable");
    const auto pilotIn = [&table](const QString& file) {
      for (int row = 0; row < table.model()->rowCount(); ++row)
        if (Cell(table, row, RosterColumn::kFile) == file) return Cell(table, row, RosterColumn::kName);
      return QString();
    };
    QCOMPARE(pilotIn("a.plt"), QStringLiteral("Ace"));

    WritePilot(folder + "/b.plt", Pilot("Bravo", 200));  // in place: the file both names name
    QTRY_COMPARE(pilotIn("a.plt"), QStringLiteral("Bravo"));
    QTRY_COMPARE(pilotIn("b.plt"), QStringLiteral("Bravo"));
    WritePilot(folder + "/new.tmp", Pilot("Charlie", 300));
    std::filesystem::rename(LocalPath(folder + "/new.tmp"), LocalPath(folder + "/a.plt"));
    QTRY_COMPARE(pilotIn("a.plt"), QStringLiteral("Charlie"));
    QCOMPARE(pilotIn("b.plt"), QStringLiteral("Bravo"));
  }

  // A pilot file that another program rewrites while the window follows its folder: the window shows
  // the new state and the history keeps it as the game's write (the states of the first listing are
  // not the game's writes, and are not kept).
  void aPilotRewrittenFromOutsideIsKeptAsTheGamesWrite() {
    ProgramFixture program;
    const QString folder = program.home.File(QStringLiteral("followed"));
    QDir().mkpath(folder);
    const QString real = QStringLiteral(ORLENDA_REAL_PILOTS_DIR);
    const QString pilot = folder + QStringLiteral("/low.plt");
    WriteAll(pilot, ReadAll(real + QStringLiteral("/xwa.plt")));
    TPilotsForm& form = OpenPilotsWindowOn(program, folder);
    const QTableView& table = *Find<QTableView>(form, "PilotsTable");
    const QString before = Cell(table, 0, RosterColumn::kName);
    const auto kept = [&] {
      return HistoryStore(HistoryStore::DefaultPath(), 1000).States(LocalPath(pilot));
    };
    QVERIFY(kept().empty());

    const QByteArray written = ReadAll(real + QStringLiteral("/germ.plt"));
    WriteAll(pilot, written);  // in place, as the game writes
    QTRY_VERIFY_WITH_TIMEOUT(Cell(table, 0, RosterColumn::kName) != before, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(kept().size(), std::size_t{1}, 20000);
    const KeptState state = kept().front();
    QCOMPARE(StateKindWords(state.kinds), std::string("game's write"));
    const std::vector<std::uint8_t> bytes(written.begin(), written.end());
    QCOMPARE(state.hash, Sha256Hex(bytes));
    QCOMPARE(program.prompts.unscripted, 0);
  }

  // "Review battle…" over a folder of the real pilots (and a second copy of one): the verdicts that
  // `review --csv` gives, told by text and colour; the current row's checks, its form, the CSV save.
  void reviewGivesTheCommandLinesVerdicts() {
    const QString real = QStringLiteral(ORLENDA_REAL_PILOTS_DIR);
    if (!QDir(real).exists()) QSKIP("the real pilot files are not beside this checkout");
    ProgramFixture program;
    const QString folder = program.home.File(QStringLiteral("club"));
    QDir().mkpath(folder);
    for (const QString& name : QDir(real).entryList({QStringLiteral("*.plt")}, QDir::Files))
      WriteAll(folder + "/" + name, ReadAll(real + "/" + name));
    WriteAll(folder + "/resent.plt", ReadAll(real + "/9555XWATC520.plt"));
    TPilotsForm& form = OpenPilotsWindowOn(program, folder);
    QTableView& table = *Find<QTableView>(form, "PilotsTable");
    QVERIFY(table.isColumnHidden(RosterTableModel::VerdictColumn()));
    QTest::keyClick(&form, Qt::Key_B, Qt::ControlModifier);
    QDialog* box = nullptr;
    QTRY_VERIFY((box = form.findChild<QDialog*>("ReviewBox")) != nullptr && box->isVisible());
    QLineEdit& missions = *Find<QLineEdit>(*box, "MissionsEdit");
    missions.setText(QStringLiteral("59-54"));
    box->accept();  // refused, said, and the box stays
    QCOMPARE(program.prompts.MessageTexts().size(), 1);
    QVERIFY(program.prompts.MessageTexts().front().startsWith("\"59-54\" is not a battle"));
    QVERIFY(box->isVisible());
    missions.clear();
    box->accept();  // each file's own battle
    QTRY_VERIFY(!table.isColumnHidden(RosterTableModel::VerdictColumn()));

    QProcess cli;
    cli.start(QStringLiteral(ORLENDA_CLI_PATH), {QStringLiteral("review"), QStringLiteral("--csv"), folder});
    QVERIFY(cli.waitForFinished());
    QCOMPARE(cli.exitCode(), 1);
    QMap<QString, QString> expected;
    for (const QByteArray& record : cli.readAllStandardOutput().split('\n').mid(1))
      if (const QList<QByteArray> fields = record.split(','); fields.size() > 2)
        expected[fields[0]] = fields[2];
    QCOMPARE(expected.size(), 9);
    QMap<QString, QString> shown;
    const int verdict = RosterTableModel::VerdictColumn();
    for (int row = 0; row < table.model()->rowCount(); ++row)
      shown[Cell(table, row, RosterColumn::kFile)] =
          table.model()->index(row, verdict).data().toString().startsWith("Pass") ? "pass" : "fail";
    QCOMPARE(shown, expected);
    QCOMPARE(expected.value("resent.plt"), QStringLiteral("fail"));
    const auto rowOf = [&](const QString& file) {
      for (int row = 0; row < table.model()->rowCount(); ++row)
        if (Cell(table, row, RosterColumn::kFile) == file) return row;
      return -1;
    };
    const QModelIndex pass = table.model()->index(rowOf("steem.plt"), verdict);
    const QModelIndex fail = table.model()->index(rowOf("germ.plt"), verdict);
    QCOMPARE(pass.data().toString(), QStringLiteral("Pass"));
    QVERIFY(pass.data(Qt::ForegroundRole) != fail.data(Qt::ForegroundRole));

    table.selectRow(fail.row());
    QVERIFY(Find<QPlainTextEdit>(form, "ReviewChecks")->toPlainText().contains("mission 58: 2 attempts"));
    Click(form, "CopyFormButton");
    QVERIFY(QGuiApplication::clipboard()->text().contains(
        "Mission 58: score 209, bonus 0, time 28:50, attempts 2"));
    const QString csv = program.home.File(QStringLiteral("verdicts.csv"));
    program.prompts.ChooseNextFile(csv);
    Click(form, "SaveCsvButton");
    const QList<QByteArray> records = ReadAll(csv).split('\n');
    QVERIFY(records[0].endsWith(",verdict,first_failed_check\r"));
    QVERIFY(records[rowOf("steem.plt") + 1].endsWith(",pass,\r"));
  }

  // "Pilots" (Ctrl+R) brings a minimised Pilots window back.
  void pilotsButtonRestoresAMinimisedWindow() {
    ProgramFixture program;
    QString folder;
    TPilotsForm& form = OpenPilotsWindow(program, folder);
    form.showMinimized();
    QTRY_VERIFY(form.isMinimized());
    Click(program.Form1(), "PilotsButton");
    QTRY_VERIFY(!form.isMinimized());
  }
};

ORLENDA_WINDOW_TEST_MAIN(PilotsFormTest)
#include "pilots_form_test.moc"
