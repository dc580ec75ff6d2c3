// The pilot file view driven by its controls: what a load fills in, the range buttons and the mission
// listing, rebuilding and clearing the report, the settings button, and "Save" with its question, its
// success and its failures.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>

#include "base/windows1252.h"
#include "history/history_store.h"
#include "pilot/file_layout.h"
#include "pilot/pilot_backup.h"
#include "pilot/pilot_load.h"
#include "program_fixture.h"
#include "settings/typed_settings.h"
#include "support/lock_holder.h"
#include "tools/pilot_file_writer.h"
#include "tools/sample_pilot.h"
#include "ui/history/history_timeline.h"
#include "ui/history/history_window.h"
#include "ui/pilot_view/combo_width.h"
#include "window_test_main.h"

using namespace orlenda;
using namespace orlenda::test;

namespace {

struct ViewFixture : ProgramFixture {
  QString pilot;

  ViewFixture() {
    pilot = WriteSamplePilot(home.File(QStringLiteral("Red_Kestrel.plt")));
    Start();
  }

  template <typename Widget>
  Widget& Control(const char* name) const {
    auto* widget = Find<Widget>(View(), name);
    if (widget == nullptr) qFatal("no control %s", name);
    return *widget;
  }
  QComboBox& Box(const char* name) const { return Control<QComboBox>(name); }
  QSpinBox& Spin(const char* name) const { return Control<QSpinBox>(name); }
  QString Report() const { return Control<QPlainTextEdit>("Memo1").toPlainText(); }
  QString LastReportLine() const { return Report().split(QLatin1Char('\n')).constLast(); }
};

PilotRecord LoadedRecord(const QString& path) {
  return LoadPilotFile(QFile::encodeName(path).toStdString()).record;
}

// The sample pilot as an older copy has it: its last three campaign missions not flown yet.
PilotRecord OlderSamplePilot() {
  PilotRecord record = tools::SamplePilotRecord();
  for (std::size_t slot = 11; slot < 14; ++slot) {
    record.CampaignTotal -= record.CampaignMissions[slot].Score + record.CampaignMissions[slot].Bonus;
    record.CampaignMissions[slot] = MissionEntry{};
  }
  record.CampaignMissionCount = 11;
  return record;
}

// The lock wait box over the history's database, as it stands while another program holds the
// database: each one seen is handed to `act` once (which lets the holder go or answers Cancel). Every wait of
// the test has its own end: past `deadline` the holder is let go, which ends any wait for it.
class HistoryBoxWatcher {
 public:
  HistoryBoxWatcher(LockHolder& holder, std::function<void(QMessageBox&)> act) : holder_(holder) {
    const QString locked = ShownPath(QString::fromStdString(HistoryStore::DefaultPath())) +
                           QStringLiteral(" is locked by another program.");
    QObject::connect(&timer_, &QTimer::timeout, [this, locked, act] {
      if (since_.elapsed() > kDeadlineMs) {
        timedOut = true;
        holder_.LetGo();
        return timer_.stop();
      }
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible() || !box->text().startsWith(locked)) continue;
        if (acted_.contains(box)) continue;  // it stands until its wait has ended
        acted_.append(box);
        ++boxes;
        act(*box);
        return;
      }
    });
    since_.start();
    timer_.start(20);
  }

  int boxes = 0;
  bool timedOut = false;

 private:
  static constexpr qint64 kDeadlineMs = 30000;
  LockHolder& holder_;
  QTimer timer_;
  QElapsedTimer since_;
  QList<QPointer<QMessageBox>> acted_;
};

}  // namespace

class PltFileViewTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

  // The boxes get their lists and first texts when the view is first loaded or shown.
  void beforeTheFirstLoad() {
    ViewFixture fixture;
    TPltFileView& view = fixture.View();
    view.show();
    QCOMPARE(view.windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(view.height(), 307);  // wider only by what the Kalidor Crescent list needs
    QVERIFY(view.width() >= 639);
    QCOMPARE(fixture.Control<QLineEdit>("PilotNameEdit").text(), QStringLiteral("John Doe"));
    QCOMPARE(fixture.Box("ActiveMissionBox").currentText(), QStringLiteral("ActiveMissionBox"));
    QCOMPARE(fixture.Box("RankBox").currentText(), QStringLiteral("Rank"));
    QCOMPARE(fixture.Box("RatingBox").currentText(), QStringLiteral("Rating"));
    QCOMPARE(fixture.Box("KalidorBox").currentText(), QStringLiteral("Kalidor Crescent status"));
    QCOMPARE(fixture.Box("ActiveMissionBox").count(), 255);
    QCOMPARE(fixture.Box("ActiveMissionBox").itemText(18), QStringLiteral("19 - Kill K'Armyn Viraxo "));
    QCOMPARE(fixture.Box("RankBox").count(), 9);
    QCOMPARE(fixture.Box("RankBox").maxVisibleItems(), 9);
    QCOMPARE(fixture.Box("RatingBox").count(), 25);
    QCOMPARE(fixture.Box("KalidorBox").count(), 7);
    auto& ships = fixture.Control<QListWidget>("ShipTypes");
    QVERIFY(ships.isHidden());
    QCOMPARE(ships.count(), 231);
    QCOMPARE(ships.item(0)->text(), QStringLiteral("Xwing\t\t\t:"));
    QCOMPARE(fixture.Control<QPushButton>("Button2").toolTip(),
             QStringLiteral("Saves the pilot details above the the .plt file"));
    QCOMPARE(fixture.Control<QPlainTextEdit>("Memo1").toolTip(), QStringLiteral("This is the text window."));
    QCOMPARE(fixture.Control<QPlainTextEdit>("Memo1").lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(!fixture.Control<QPlainTextEdit>("Memo1").tabChangesFocus());
    QCOMPARE(fixture.Spin("GetFromEdit").toolTip(), QString());
    QCOMPARE(fixture.Control<QPushButton>("GetAllButton").toolTip(), QString());
    QCOMPARE(fixture.Spin("GetToEdit").minimum(), std::numeric_limits<int>::min());
  }

  void loadFillsTheControlsAndTheReport() {
    ViewFixture fixture;
    fixture.Spin("GetFromEdit").setValue(2);
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    QCOMPARE(fixture.View().windowTitle(), ShownPath(fixture.pilot));
    QCOMPARE(fixture.Control<QLineEdit>("PilotNameEdit").text(), QStringLiteral("Red Kestrel"));
    const PilotRecord sample = tools::SamplePilotRecord();
    QCOMPARE(fixture.Box("RankBox").currentIndex(), sample.Rank);
    QCOMPARE(fixture.Box("RatingBox").currentIndex(), sample.Rating);
    QCOMPARE(fixture.Box("KalidorBox").currentIndex(), sample.KalidorStatus);
    QCOMPARE(fixture.Box("ActiveMissionBox").currentIndex(), 14);
    QCOMPARE(fixture.Box("ActiveMissionBox").currentText(),
             QStringLiteral("15 - Stop Resupply of ISD Corrupter"));
    QCOMPARE(fixture.Spin("GetToEdit").value(), 14);
    QCOMPARE(fixture.Spin("GetFromEdit").value(), 2);
    QVERIFY(fixture.Report().startsWith(QStringLiteral("Name: Red Kestrel")));
    QVERIFY(fixture.View().ExportText().startsWith(QStringLiteral("Red - Score: ")));
    QVERIFY(fixture.prompts.MessageTexts().isEmpty());
  }

  // The view keeps its height and grows only as the Kalidor Crescent box needs to show every status
  // whole; the open lists are as wide as their longest item, and a box whose text is cut shows it
  // whole in its tooltip, under its hint.
  void longItemsCanBeReadWhole() {
    ViewFixture fixture;
    PilotRecord record = tools::SamplePilotRecord();
    record.KalidorStatus = 6;
    QCOMPARE(fixture.View().ReadMission(WritePilot(fixture.home.File(QStringLiteral("k.plt")), record)), 0);
    fixture.View().show();
    QCOMPARE(fixture.View().height(), 307);
    QVERIFY(fixture.View().width() >= 639);
    const QComboBox& details = fixture.Box("KalidorBox");
    QVERIFY(fixture.Control<QWidget>("Memo1").geometry().left() > details.parentWidget()->geometry().right());
    QVERIFY(fixture.Control<QWidget>("Memo1").geometry().right() < fixture.View().width());
    for (const char* name : {"ActiveMissionBox", "RankBox", "RatingBox", "KalidorBox"}) {
      QComboBox& box = fixture.Box(name);
      int longest = 0;
      for (int i = 0; i < box.count(); ++i)
        longest = std::max(longest, box.view()->fontMetrics().horizontalAdvance(box.itemText(i)));
      box.showPopup();
      QVERIFY2(box.view()->viewport()->width() >= longest, name);
      box.hidePopup();
    }
    QComboBox& kalidor = fixture.Box("KalidorBox");
    for (int item = 0; item < kalidor.count(); ++item) {
      kalidor.setCurrentIndex(item);
      QVERIFY2(TextFits(kalidor), qPrintable(kalidor.currentText()));
    }
    QCOMPARE(kalidor.toolTip(), QStringLiteral("Change the status of the Kalidor Crescent"));
    QComboBox& mission = fixture.Box("ActiveMissionBox");
    int longestMission = 0;
    for (int item = 1; item < mission.count(); ++item) {
      if (mission.fontMetrics().horizontalAdvance(mission.itemText(item)) >
          mission.fontMetrics().horizontalAdvance(mission.itemText(longestMission)))
        longestMission = item;
    }
    mission.setCurrentIndex(longestMission);
    QVERIFY(!TextFits(mission));
    QVERIFY(mission.toolTip().contains(mission.currentText()));
    QVERIFY(TextFits(fixture.Box("RankBox")));
    QCOMPARE(fixture.Box("RankBox").toolTip(), QStringLiteral("Change the rank"));
  }

  void aLongReportOpensAtItsFirstLine() {
    ViewFixture fixture;
    fixture.SetSetting("MegaDetails", "1");
    fixture.View().show();
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QScrollBar& scroll = *fixture.Control<QPlainTextEdit>("Memo1").verticalScrollBar();
    QVERIFY(scroll.maximum() > 0);
    QCOMPARE(scroll.value(), 0);
  }

  void valuesOutsideTheListsLeaveBoxesWithoutAChoice() {
    ViewFixture fixture;
    PilotRecord record = tools::SamplePilotRecord();
    record.Rank = 9;
    record.Rating = -1;
    record.KalidorStatus = 7;
    for (std::size_t i = 0; i < kMissionSlotCount; ++i)
      record.CampaignMissions[i] = tools::PresentMission(10, 1, 60);
    const QString odd = WritePilot(fixture.home.File(QStringLiteral("odd.plt")), record);
    QCOMPARE(fixture.View().ReadMission(odd), 0);
    for (const char* box : {"RankBox", "RatingBox", "KalidorBox", "ActiveMissionBox"}) {
      QVERIFY2(fixture.Box(box).currentIndex() == -1 && fixture.Box(box).currentText().isEmpty(), box);
    }
    QCOMPARE(fixture.Spin("GetToEdit").value(), 255);
  }

  void aThirteenCharacterNameIsShownWholeButTypingStopsAtTwelve() {
    ViewFixture fixture;
    PilotRecord record = tools::SamplePilotRecord();
    tools::SetText(record.PilotName, "ThirteenChars");
    record.PilotName[12] = '\xE9';  // Windows-1252 e acute, no terminating zero byte
    QCOMPARE(fixture.View().ReadMission(WritePilot(fixture.home.File(QStringLiteral("long.plt")), record)),
             0);
    auto& name = fixture.Control<QLineEdit>("PilotNameEdit");
    QCOMPARE(name.text(), QString::fromUtf8("ThirteenChar\xC3\xA9"));

    name.selectAll();
    QTest::keyClicks(&name, QStringLiteral("FifteenLetters!"));
    QCOMPARE(name.text(), QStringLiteral("FifteenLette"));
  }

  void failedLoadKeepsWhatTheViewShowed() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QString report = fixture.Report();
    const QString empty = fixture.home.File(QStringLiteral("empty.plt"));
    WriteAll(empty, {});
    QCOMPARE(fixture.View().ReadMission(empty), 1);
    const QString named = QStringLiteral("\n\n") + ShownPath(empty);
    QCOMPARE(fixture.prompts.MessageTexts(),
             (QStringList{
                 QStringLiteral("The file have wrong size. 0 The plt file must be 152.076 bytes!") + named,
                 QStringLiteral("1 Errors while loading file! This may not be a XWA pilotfile.") + named}));
    QCOMPARE(fixture.View().windowTitle(), ShownPath(empty));
    QCOMPARE(fixture.Control<QLineEdit>("PilotNameEdit").text(), QStringLiteral("Red Kestrel"));
    QCOMPARE(fixture.Report(), report);
    QCOMPARE(fixture.View().record().CampaignMissionCount, 14);
  }

  void rangeButtonsAndTheMissionListing() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    fixture.Spin("GetFromEdit").setValue(50);
    fixture.Spin("GetToEdit").setValue(300);
    const int linesBefore = fixture.Control<QPlainTextEdit>("Memo1").blockCount();
    Click(fixture.View(), "TXTList");
    QCOMPARE(fixture.Spin("GetFromEdit").value(), 13);
    QCOMPARE(fixture.Spin("GetToEdit").value(), 14);
    QVERIFY(fixture.Control<QPlainTextEdit>("Memo1").blockCount() > linesBefore);
    QVERIFY(fixture.LastReportLine().startsWith(QStringLiteral("14: ")));

    Click(fixture.View(), "ZeroButton");
    QCOMPARE(fixture.Spin("GetFromEdit").value(), 0);
    fixture.Spin("GetToEdit").setValue(3);
    Click(fixture.View(), "SetLastButton");
    QCOMPARE(fixture.Spin("GetToEdit").value(), 14);
    QVERIFY(fixture.prompts.MessageTexts().isEmpty());
  }

  void clearTextAsksFirstAndKeepsTheExportLine() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QString report = fixture.Report();
    const QString exportLine = fixture.View().ExportText();
    fixture.prompts.AnswerNext(MessageAnswer::No);
    Click(fixture.View(), "Button3");
    QCOMPARE(fixture.Report(), report);
    QCOMPARE(fixture.prompts.messages.at(0).text, QStringLiteral("Clear text?"));
    QCOMPARE(fixture.prompts.messages.at(0).kind, MessageKind::Information);
    fixture.prompts.AnswerNext(MessageAnswer::Yes);
    Click(fixture.View(), "Button3");
    QCOMPARE(fixture.Report(), QString());
    QCOMPARE(fixture.View().ExportText(), exportLine);
  }

  void getEverythingRebuildsWithTheCurrentSettings() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QString exportLine = fixture.View().ExportText();
    fixture.Control<QLineEdit>("ExportEdit").setText(QStringLiteral("typed"));
    fixture.Control<QPlainTextEdit>("Memo1").setPlainText(QStringLiteral("typed"));
    Click(fixture.View(), "GetAllButton");
    QCOMPARE(fixture.View().ExportText(), exportLine);
    QVERIFY(fixture.Report().startsWith(QStringLiteral("Name: Red Kestrel")));

    fixture.SetSetting("IncludeDate", "1");
    Click(fixture.View(), "GetAllButton");
    QVERIFY(fixture.View().ExportText().contains(QStringLiteral("08/12/2026")));
  }

  void aSettingThatIsNotANumberEndsTheRebuild() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QString exportLine = fixture.View().ExportText();
    fixture.SetSetting("NameSource", "abc");
    Click(fixture.View(), "GetAllButton");
    QCOMPARE(fixture.prompts.standardErrors,
             QStringList{QStringLiteral("'abc' is not a valid integer value")});
    QCOMPARE(fixture.View().ExportText(), exportLine);
  }

  void settingsButtonShowsTheSettingsDialog() {
    ViewFixture fixture;
    QString shown;
    WhenModalShown([&shown](QWidget& dialog) {
      shown = dialog.objectName();
      Click(dialog, "CancelBtn");
    });
    Click(fixture.View(), "Button4");
    QCOMPARE(shown, QStringLiteral("SettingsDlg"));
  }

  void saveAnsweredNoWritesNothing() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QByteArray before = ReadAll(fixture.pilot);
    fixture.Control<QLineEdit>("PilotNameEdit").setText(QStringLiteral("Changed"));
    fixture.prompts.AnswerNext(MessageAnswer::No);
    Click(fixture.View(), "Button2");
    QCOMPARE(
        fixture.prompts.MessageTexts(),
        QStringList{QStringLiteral("Ready to update ") + ShownPath(fixture.pilot) +
                    QString::fromUtf8(". Is it ok to proceed?\n\nName: \"Red Kestrel\" \u2192 \"Changed\"")});
    QCOMPARE(fixture.prompts.messages.at(0).kind, MessageKind::Information);
    QCOMPARE(fixture.prompts.messages.at(0).buttons, MessageButtons::YesNo);
    QCOMPARE(ReadAll(fixture.pilot), before);
    QVERIFY(!QFile::exists(fixture.pilot + QStringLiteral(".bak")));
  }

  // Another program holds the pilot's lock: the windows go on meanwhile (this test's timer runs), a box
  // names the file after about a second, and its Cancel gives the save up at once with nothing written.
  void aLockHeldElsewhereShowsTheWaitBoxAndCancelWritesNothing() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QByteArray before = ReadAll(fixture.pilot);
    fixture.Control<QLineEdit>("PilotNameEdit").setText(QStringLiteral("Changed"));
    LockHolder holder(fixture.pilot.toStdString());
    QVERIFY(holder.Holding());
    QString boxText;
    QElapsedTimer sinceCancel;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible()) continue;
        boxText = box->text();
        watcher.stop();
        sinceCancel.start();
        box->button(QMessageBox::Cancel)->click();
        return;
      }
    });
    watcher.start(20);
    fixture.prompts.AnswerNext(MessageAnswer::Yes);
    Click(fixture.View(), "Button2");
    QVERIFY(sinceCancel.isValid());
    QVERIFY2(sinceCancel.elapsed() < 1000, "Cancel answers at once");
    QCOMPARE(boxText, ShownPath(fixture.pilot) +
                          QStringLiteral(" is locked by another program. Waiting until it is free; "
                                         "Cancel gives up, and nothing is written."));
    const QString refusal = fixture.prompts.MessageTexts().constLast();
    QVERIFY2(refusal.startsWith(QStringLiteral("Unable to lock ")) &&
                 refusal.endsWith(QStringLiteral(": another program holds its lock. Nothing was written.")),
             qPrintable(refusal));
    QCOMPARE(ReadAll(fixture.pilot), before);
  }

  void saveWritesTheChosenDetailsAndKeepsABackup() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QByteArray before = ReadAll(fixture.pilot);
    fixture.Control<QLineEdit>("PilotNameEdit").setText(QString::fromUtf8("Zo\xC3\xAB Heron"));
    fixture.Box("RankBox").setEditText(QStringLiteral(" captain "));  // typed, not picked from the list
    fixture.Box("RatingBox").setCurrentIndex(24);
    fixture.Box("ActiveMissionBox").setCurrentIndex(3);
    fixture.View().setWindowTitle(QStringLiteral("not a path"));  // the save goes to the loaded file
    fixture.prompts.AnswerNext(MessageAnswer::Yes);
    Click(fixture.View(), "Button2");
    QCOMPARE(fixture.prompts.MessageTexts().constLast(), QStringLiteral("Update complete."));

    const PilotRecord saved = LoadedRecord(fixture.pilot);
    QCOMPARE(DecodeWindows1252(FieldText(saved.PilotName)), std::string("Zo\xC3\xAB Heron"));
    QCOMPARE(saved.Rank, 5);
    QCOMPARE(saved.Rating, 24);
    QCOMPARE(saved.KalidorStatus, tools::SamplePilotRecord().KalidorStatus);
    QCOMPARE(saved.CampaignMissionCount, 3);
    QCOMPARE(ReadAll(QString::fromStdString(PilotBackups::BackupPath(fixture.pilot.toStdString()))), before);

    // The report built afterwards shows the new name; a second save keeps the first backup.
    Click(fixture.View(), "GetAllButton");
    QVERIFY(fixture.Report().startsWith(QString::fromUtf8("Name: Zo\xC3\xAB Heron")));
    fixture.prompts.AnswerNext(MessageAnswer::Yes);
    Click(fixture.View(), "Button2");
    QCOMPARE(ReadAll(QString::fromStdString(PilotBackups::BackupPath(fixture.pilot.toStdString()))), before);
  }

  // The history keeps the state the view opens and the states before and after its save; with
  // KeepHistory off it keeps nothing; a damaged history is set aside with a warning, and the save goes on.
  void openAndSaveKeepTheirStatesInTheHistory() {
    ViewFixture fixture;
    const std::string path = fixture.pilot.toStdString();
    const auto states = [&] { return HistoryStore(HistoryStore::DefaultPath(), 1000).States(path); };
    fixture.SetSetting("KeepHistory", "0");
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    QVERIFY(states().empty());

    fixture.SetSetting("KeepHistory", "1");
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    fixture.Box("RankBox").setCurrentIndex(7);
    fixture.prompts.AnswerNext(MessageAnswer::Yes);
    Click(fixture.View(), "Button2");
    std::vector<KeptState> kept = states();
    QCOMPARE(kept.size(), std::size_t{2});
    QCOMPARE(StateKindWords(kept[0].kinds), std::string("opened, before save"));
    QCOMPARE(StateKindWords(kept[1].kinds), std::string("after save"));
    QCOMPARE(kept[1].summary.rank, 7);

    const QString database = QString::fromStdString(HistoryStore::DefaultPath());
    WriteAll(database, QByteArray(4096, 'x'));
    fixture.Box("RankBox").setCurrentIndex(2);
    fixture.prompts.AnswerNext(MessageAnswer::Yes);
    Click(fixture.View(), "Button2");
    QCOMPARE(fixture.prompts.MessageTexts().filter(QStringLiteral("a new history was started")).size(), 1);
    QCOMPARE(LoadedRecord(fixture.pilot).Rank, 2);
    QVERIFY(QFile::exists(database + QStringLiteral(".bad")));
  }

  // Another program holds the history's database: the save waits for it as for a pilot's lock (the box
  // after about a second), and the database is written once the other program lets go; Cancel gives up
  // the recording only, with a warning, and the save still succeeds.
  void aHeldHistoryWaitsWithTheBoxAndNeverFailsTheSave() {
    for (const bool cancel : {false, true}) {
      ViewFixture fixture;
      const std::string path = fixture.pilot.toStdString();
      QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);  // kept as opened, the database made
      LockHolder holder(HistoryStore::DefaultPath(), LockHolder::Lock::kDatabase);
      QVERIFY(holder.Holding());
      HistoryBoxWatcher watcher(holder, [&](QMessageBox& box) {
        if (cancel) return box.button(QMessageBox::Cancel)->click();
        QVERIFY(holder.LetGo());
      });
      fixture.Box("RankBox").setCurrentIndex(7);
      fixture.prompts.AnswerNext(MessageAnswer::Yes);
      Click(fixture.View(), "Button2");
      QVERIFY(!watcher.timedOut);
      QCOMPARE(LoadedRecord(fixture.pilot).Rank, 7);
      QVERIFY(fixture.prompts.MessageTexts().contains(QStringLiteral("Update complete.")));
      const QStringList given =
          fixture.prompts.MessageTexts().filter(QStringLiteral("The history could not keep the state of "));
      holder.LetGo();
      const std::vector<KeptState> kept = HistoryStore(HistoryStore::DefaultPath(), 1000).States(path);
      if (cancel) {  // a box for the state before the save and one for the state after it
        QCOMPARE(watcher.boxes, 2);
        QCOMPARE(given.size(), 2);
        QVERIFY(given[0].endsWith(QStringLiteral(": another program holds its lock.")));
        QCOMPARE(kept.size(), std::size_t{1});
        QCOMPARE(StateKindWords(kept[0].kinds), std::string("opened"));
      } else {
        QCOMPARE(watcher.boxes, 1);
        QVERIFY(given.isEmpty());
        QCOMPARE(kept.size(), std::size_t{2});
        QCOMPARE(kept[1].summary.rank, 7);
      }
    }
  }

  // A pilot overwritten by an older copy is said at once, naming what was lost; Ignore leaves the file
  // as it is, and Restore… brings the later state back byte for byte, the older one kept in the history.
  void aCareerThatWentBackIsSaidAndRestored() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    const QByteArray later = ReadAll(fixture.pilot);
    WritePilot(fixture.pilot, OlderSamplePilot());
    const QByteArray older = ReadAll(fixture.pilot);
    const auto warnings = [&] {
      return fixture.prompts.MessageTexts().filter(
          QStringLiteral("Red Kestrel has lost missions 12\u201314 since "));
    };
    fixture.prompts.AnswerNext(MessageAnswer::Ignore);
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    QCOMPARE(warnings().size(), 1);
    QVERIFY(warnings()[0].endsWith(QStringLiteral(". History holds the earlier state.")));
    QCOMPARE(ReadAll(fixture.pilot), older);
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);  // the older state is now the last one seen
    QCOMPARE(warnings().size(), 1);

    WriteAll(fixture.pilot, later);
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    WriteAll(fixture.pilot, older);
    fixture.prompts.AnswerNext(MessageAnswer::Restore);
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    QCOMPARE(warnings().size(), 2);
    QCOMPARE(ReadAll(fixture.pilot), later);
    QCOMPARE(fixture.View().record().CampaignMissionCount, 14);
    QCOMPARE(ReadAll(QString::fromStdString(PilotBackups::BackupPath(fixture.pilot.toStdString()))), older);
    const auto kept = HistoryStore(HistoryStore::DefaultPath(), 1000).States(fixture.pilot.toStdString());
    QCOMPARE(kept.size(), std::size_t{2});
    QVERIFY(kept[0].current);
    QVERIFY(StateKindWords(kept[0].kinds).find("restored") != std::string::npos);
    QCOMPARE(fixture.prompts.unscripted, 0);
  }

  // "History" shows a row and a timeline point per kept state; Compare names the change between two
  // states; Restore… of the first state brings the file back byte for byte; Export… writes a state to
  // a new file only.
  void historyWindowComparesRestoresAndExports() {
    ViewFixture fixture;
    const QByteArray original = ReadAll(fixture.pilot);
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    fixture.Box("RankBox").setCurrentIndex(3);
    fixture.prompts.AnswerNext(MessageAnswer::Yes);
    Click(fixture.View(), "Button2");
    Click(fixture.View(), "HistoryButton");
    auto* window = Find<THistoryWindow>(fixture.View(), "HistoryWindow");
    QVERIFY(window != nullptr);
    auto& table = *Find<QTableView>(*window, "StatesTable");
    const auto rows = [&table] { return table.model()->rowCount(); };
    QCOMPARE(rows(), 2);
    QCOMPARE(Find<HistoryTimeline>(*window, "Timeline")->layout().points.size(), std::size_t{2});
    QCOMPARE(table.model()->index(1, 4).data().toString(),
             QStringLiteral("Rank Lieutenant \u2192 Lieutenant JG"));
    auto& timeline = *Find<HistoryTimeline>(*window, "Timeline");
    QTest::keyClick(&timeline, Qt::Key_Right);
    QTest::keyClick(&timeline, Qt::Key_Right);
    QCOMPARE(table.currentIndex().row(), 1);  // the keys walk the points, and the table follows
    QVERIFY(timeline.PointText(1).startsWith(QStringLiteral("State 2, ")));
    // The mouse over a point shows its text (the two states, kept moments apart, may share one).
    QString hovered;
    for (int x = 0; x < timeline.width() && hovered.isEmpty(); ++x) {
      const QPoint at(x, timeline.height() / 2);
      QHelpEvent hover(QEvent::ToolTip, at, timeline.mapToGlobal(at));
      QCoreApplication::sendEvent(&timeline, &hover);
      hovered = QToolTip::text();
    }
    QVERIFY2(hovered == timeline.PointText(0) || hovered == timeline.PointText(1), qPrintable(hovered));

    table.selectAll();
    Click(*window, "CompareButton");
    const QString compared = Find<QPlainTextEdit>(*window, "CompareText")->toPlainText();
    QVERIFY2(compared.startsWith(QStringLiteral("Rank Lieutenant \u2192 Lieutenant JG\n")),
             qPrintable(compared));

    table.selectRow(0);
    Click(*window, "OpenButton");
    auto* opened = window->findChild<TPltFileView*>();
    QVERIFY(opened != nullptr);
    QVERIFY(opened->windowTitle().endsWith(QStringLiteral(" (state 1, read only)")));
    QCOMPARE(opened->record().Rank, 4);  // the state before the save
    QVERIFY(!Find<QPushButton>(*opened, "Button2")->isEnabled());
    opened->close();

    fixture.prompts.AnswerNext(MessageAnswer::Ok);
    Click(*window, "RestoreButton");
    QCOMPARE(ReadAll(fixture.pilot), original);
    QCOMPARE(fixture.View().record().Rank, LoadedRecord(fixture.pilot).Rank);
    QCOMPARE(rows(), 2);  // the restored state was state 1

    const QString exported = fixture.home.File(QStringLiteral("state2.plt"));
    table.selectRow(1);
    fixture.prompts.ChooseNextFile(fixture.pilot);  // an existing file is refused, the dialog shown again
    fixture.prompts.ChooseNextFile(exported);
    Click(*window, "ExportButton");
    QCOMPARE(ReadAll(fixture.pilot), original);
    QCOMPARE(LoadedRecord(exported).Rank, 3);
    QCOMPARE(fixture.prompts.MessageTexts().filter(QStringLiteral("exists already")).size(), 1);
    QCOMPARE(fixture.prompts.unscripted, 0);
  }

  void failedSaveIsReportedAndNeverAsComplete() {
    const char* failures[] = {"file gone", "file replaced by another size"};
    for (const char* failure : failures) {
      ViewFixture fixture;
      QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
      if (QString::fromLatin1(failure) == QStringLiteral("file gone"))
        QFile::remove(fixture.pilot);
      else
        WriteAll(fixture.pilot, QByteArray(1000, 'x'));
      fixture.Control<QLineEdit>("PilotNameEdit").setText(QStringLiteral("Changed"));
      const QByteArray before = ReadAll(fixture.pilot);
      Click(fixture.View(), "Button2");  // refused before the question
      QVERIFY2(fixture.prompts.messages.size() == 1, failure);
      const ShownMessage& shown = fixture.prompts.messages.at(0);
      QVERIFY2(shown.kind == MessageKind::Error && shown.buttons == MessageButtons::Ok, failure);
      QVERIFY2(shown.text != QStringLiteral("Update complete.") && !shown.text.isEmpty(), failure);
      QVERIFY2(ReadAll(fixture.pilot) == before, failure);
    }
  }

  // Details that cannot be saved are refused before the question, naming the box and the text.
  void unsavableDetailsAreRefusedBeforeTheQuestion() {
    const std::pair<const char*, QString> refusals[] = {
        {"PilotNameEdit", QString::fromUtf8("The name \"\xCE\xA9mega\" cannot be stored")},
        {"PilotNameEdit", QStringLiteral("The name \"Two\\x0ALines\" holds a control character")},
        {"RankBox", QStringLiteral("The rank box holds \"admiral\", which is none of its items.")},
        {"ActiveMissionBox", QStringLiteral("The active mission box holds \"99 - Nowhere\"")},
    };
    const QString texts[] = {QString::fromUtf8("\xCE\xA9mega"), QStringLiteral("Two\nLines"),
                             QStringLiteral("admiral"), QStringLiteral("99 - Nowhere")};
    for (std::size_t i = 0; i < std::size(refusals); ++i) {
      ViewFixture fixture;
      QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
      const QByteArray before = ReadAll(fixture.pilot);
      if (QByteArray(refusals[i].first) == "PilotNameEdit")
        fixture.Control<QLineEdit>("PilotNameEdit").setText(texts[i]);
      else
        fixture.Box(refusals[i].first).setEditText(texts[i]);
      Click(fixture.View(), "Button2");
      QCOMPARE(fixture.prompts.messages.size(), 1);
      QCOMPARE(fixture.prompts.messages.at(0).kind, MessageKind::Error);
      QVERIFY2(fixture.prompts.messages.at(0).text.startsWith(refusals[i].second),
               qPrintable(fixture.prompts.messages.at(0).text));
      QCOMPARE(ReadAll(fixture.pilot), before);
    }
  }

  void saveWithNothingChangedSaysSoWithoutAsking() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    Click(fixture.View(), "Button2");
    QCOMPARE(fixture.prompts.MessageTexts(), QStringList{QStringLiteral("Nothing to update.")});
    QVERIFY(!QFile::exists(fixture.pilot + QStringLiteral(".bak")));
  }

  // Moving the active mission back names the missions whose scores leave the list and the campaign
  // total before and after; once saved, the view shows the file as a fresh load of it does, and no
  // record of the missions that left the list is left in the file.
  void missionMovesTellTheirCostAndTheSavedFileIsShown() {
    const QString real = QStringLiteral(ORLENDA_REAL_PILOTS_DIR "/xwa.plt");
    if (!QFile::exists(real)) QSKIP("the real pilot files are not beside this checkout");
    ViewFixture fixture;
    const QString pilot = fixture.home.File(QStringLiteral("xwa.plt"));
    QVERIFY(QFile::copy(real, pilot));
    QFile(pilot).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(fixture.View().ReadMission(pilot), 0);
    const PilotRecord loaded = fixture.View().record();
    QCOMPARE(loaded.CampaignMissionCount, 58);
    const auto total = [&loaded](int count) {
      qint64 sum = 0;
      for (int i = 0; i < count; ++i)
        sum += loaded.CampaignMissions[i].Score + loaded.CampaignMissions[i].Bonus;
      return QLocale(QLocale::English).toString(sum);
    };
    fixture.Box("ActiveMissionBox").setCurrentIndex(55);
    fixture.prompts.AnswerNext(MessageAnswer::Yes);
    Click(fixture.View(), "Button2");
    const QString question = fixture.prompts.messages.at(0).text;
    QCOMPARE(fixture.prompts.messages.at(0).defaultButton,
             DefaultButton::Safe);  // Return must not cost scores
    QVERIFY2(question.contains(QString::fromUtf8("Active mission: 59 \u2192 56")), qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("Missions 56, 57 and 58 lose their scores")),
             qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("campaign total ") + total(58) + QString::fromUtf8(" \u2192 ") +
                               total(55)),
             qPrintable(question));
    QCOMPARE(fixture.prompts.MessageTexts().constLast(), QStringLiteral("Update complete."));

    const QString shownReport = fixture.Report();
    const QString shownExport = fixture.View().ExportText();
    QCOMPARE(fixture.View().ReadMission(pilot), 0);  // a fresh load of the saved file
    QCOMPARE(shownReport, fixture.Report());
    QCOMPARE(shownExport, fixture.View().ExportText());
    QCOMPARE(fixture.Spin("GetToEdit").value(), 55);
    fixture.Spin("GetToEdit").setValue(3);
    Click(fixture.View(), "SetLastButton");
    QCOMPARE(fixture.Spin("GetToEdit").value(), 55);

    // The move back cleared the records of missions 56 to 58 with the end of the list: none is left past
    // it for a reader of every slot to count, and the box sets no limit on a move forward.
    QVERIFY2(
        !fixture.Box("ActiveMissionBox").toolTip().startsWith(QStringLiteral("The active mission cannot")),
        qPrintable(fixture.Box("ActiveMissionBox").toolTip()));
    const QByteArray saved = ReadAll(pilot);
    const auto cleared = static_cast<qsizetype>(MissionSlotOffset(field::CampaignMissions, 55));
    QCOMPARE(saved.mid(cleared, 3 * static_cast<qsizetype>(kMissionRecordSize)),
             QByteArray(3 * static_cast<qsizetype>(kMissionRecordSize), '\0'));
  }

  // The total conversion's campaign starts at slot 3, past the end of the list that the load reads: the
  // active-mission box says so, and a move over its missions is refused with nothing written.
  void aMoveOverTheTotalConversionsMissionsIsRefused() {
    const QString real = QStringLiteral(ORLENDA_REAL_PILOTS_DIR "/PickledYoda0.plt");
    if (!QFile::exists(real)) QSKIP("the real pilot files are not beside this checkout");
    ViewFixture fixture;
    const QString pilot = fixture.home.File(QStringLiteral("PickledYoda0.plt"));
    QVERIFY(QFile::copy(real, pilot));
    QFile(pilot).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(fixture.View().ReadMission(pilot), 0);
    QVERIFY(fixture.Box("ActiveMissionBox").toolTip().contains(QStringLiteral("total conversion")));
    const QByteArray before = ReadAll(pilot);
    fixture.Box("ActiveMissionBox").setCurrentIndex(5);
    Click(fixture.View(), "Button2");
    QCOMPARE(fixture.prompts.messages.size(), 1);
    QCOMPARE(fixture.prompts.messages.at(0).kind, MessageKind::Error);
    QVERIFY2(fixture.prompts.messages.at(0).text.contains(
                 QStringLiteral("mission 4 (battle 1, mission 1: score 2,490)")),
             qPrintable(fixture.prompts.messages.at(0).text));
    QCOMPARE(ReadAll(pilot), before);
    QVERIFY(!QFile::exists(pilot + QStringLiteral(".bak")));
  }

  // A file that another program changed is refused before the question, which would show stale values.
  void aFileChangedSinceTheLoadIsRefusedBeforeAsking() {
    ViewFixture fixture;
    QCOMPARE(fixture.View().ReadMission(fixture.pilot), 0);
    QByteArray changed = ReadAll(fixture.pilot);
    changed[0] = 'O';
    WriteAll(fixture.pilot, changed);
    fixture.Control<QLineEdit>("PilotNameEdit").setText(QStringLiteral("Changed"));
    Click(fixture.View(), "Button2");
    QCOMPARE(fixture.prompts.messages.size(), 1);
    QCOMPARE(fixture.prompts.messages.at(0).kind, MessageKind::Error);
    QVERIFY(fixture.prompts.messages.at(0).text.contains(QStringLiteral("changed by another program")));
    QCOMPARE(ReadAll(fixture.pilot), changed);
  }

  void realPilotsLoadIntoTheView() {
    const QDir real(QStringLiteral(ORLENDA_REAL_PILOTS_DIR));
    if (!real.exists()) QSKIP("the real pilot files are not beside this checkout");
    ViewFixture fixture;
    const QStringList pilots = real.entryList({QStringLiteral("*.plt")}, QDir::Files);
    QVERIFY(!pilots.isEmpty());
    for (const QString& name : pilots) {
      const QString path = real.filePath(name);
      QVERIFY2(fixture.View().ReadMission(path) == 0, qPrintable(name));
      const PilotRecord& record = fixture.View().record();
      QVERIFY2(fixture.Control<QLineEdit>("PilotNameEdit").text().toStdString() ==
                   DecodeWindows1252(FieldText(record.PilotName)),
               qPrintable(name));
      const int expected = record.CampaignMissionCount < 255 ? record.CampaignMissionCount : -1;
      QVERIFY2(fixture.Box("ActiveMissionBox").currentIndex() == expected, qPrintable(name));
      QVERIFY2(fixture.Spin("GetToEdit").value() == record.CampaignMissionCount, qPrintable(name));
      QVERIFY2(!fixture.View().ExportText().isEmpty(), qPrintable(name));
    }
    QVERIFY(fixture.prompts.MessageTexts().isEmpty());
  }
};

ORLENDA_WINDOW_TEST_MAIN(PltFileViewTest)
#include "plt_file_view_test.moc"
