// The settings dialog through the store: what a showing loads, what OK writes and in which order,
// Cancel, Default, the detailed error box's enabled state, the "..." button, the store's odd values, and a
// control that the settings table names but the dialog lacks.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include "program_fixture.h"
#include "settings/typed_settings.h"
#include "support/lock_holder.h"
#include "ui/settings_dialog/setting_controls.h"
#include "ui/shell/session.h"
#include "window_test_main.h"

using namespace orlenda;
using namespace orlenda::test;

namespace {

struct DialogFixture : ProgramFixture {
  DialogFixture() { Start(); }

  TSettingsDlg& Dialog() const { return *windows->SettingsDlg; }
  QCheckBox& Check(const char* name) const { return *Find<QCheckBox>(Dialog(), name); }
  QLineEdit& Edit(const char* name) const { return *Find<QLineEdit>(Dialog(), name); }

  // The item of a radio group that is checked, or -1.
  int Chosen(const char* group) const {
    for (int i = 0; i < 3; ++i) {
      const QByteArray name = QByteArray(group) + "Item" + QByteArray::number(i);
      if (Find<QRadioButton>(Dialog(), name.constData())->isChecked()) return i;
    }
    return -1;
  }

  // Shows the dialog as the program does and presses one of its buttons from inside its event loop;
  // `whileShown` runs first.
  void ShowAndPress(const char* button, std::function<void(QWidget&)> whileShown = {}) {
    WhenModalShown([button, whileShown](QWidget& dialog) {
      if (whileShown) whileShown(dialog);
      Click(dialog, button);
    });
    Dialog().exec();
  }

  QByteArray SettingsBytes() const { return ReadAll(home.SettingsFile()); }
};

const QByteArray kAllDefaults =
    "LogFile=%LOG%\nSaveFilename=1\nSaveLogFile=1\nShowMissionScore=1\nShowMissionBonus=1\n"
    "ShowMissionTotal=1\nShowMissionTime=0\nCheckCheat=1\nShowErrorDetailes=0\nShowZeroMissions=0\n"
    "IncludeDate=0\nMegaDetails=0\nNameSource=2\nScoreFormat=1\nKeepHistory=1\n";

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

  void cancelOnAFreshInstallationLeavesOnlyLastDir() {
    DialogFixture fixture;
    QFile::remove(fixture.home.SettingsFile());
    fixture.ShowAndPress("CancelBtn");
    QCOMPARE(fixture.SettingsBytes(),
             "[Orlenda]\nLastDir=" +
                 QFile::encodeName(QDir::toNativeSeparators(fixture.home.WorkingFolder())) + "\n");
    QCOMPARE(fixture.Dialog().result(), int(QDialog::Rejected));
  }

  void okOnAFreshInstallationWritesEveryKeyWithTheReadersDefaults() {
    DialogFixture fixture;
    fixture.ShowAndPress("OKBtn");
    QByteArray expected =
        "[Orlenda]\nLastDir=" + QFile::encodeName(QDir::toNativeSeparators(fixture.home.WorkingFolder())) +
        "\n" + kAllDefaults;
    expected.replace("%LOG%", QFile::encodeName(fixture.home.LogFile()));
    QCOMPARE(fixture.SettingsBytes(), expected);
    QCOMPARE(fixture.Dialog().result(), int(QDialog::Accepted));
  }

  void everyControlMakesTheRoundTripThroughTheStore() {
    DialogFixture fixture;
    fixture.ShowAndPress("OKBtn", [](QWidget& dialog) {
      Find<QLineEdit>(dialog, "DirEdit")->setText(QStringLiteral("/pilots/squadron"));
      Find<QLineEdit>(dialog, "LogFileEdit")->setText(QStringLiteral("/logs/club.txt"));
      for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) box->setChecked(!box->isChecked());
      Find<QRadioButton>(dialog, "NameSourceGroupItem0")->setChecked(true);
      Find<QRadioButton>(dialog, "ScoreFormatGroupItem2")->setChecked(true);
    });
    const auto setting = [&fixture](std::string_view key) {
      return fixture.Setting(key).value_or("<missing>");
    };
    QCOMPARE(setting("LastDir"), std::string("/pilots/squadron"));
    QCOMPARE(setting("LogFile"), std::string("/logs/club.txt"));
    QCOMPARE(setting("SaveFilename"), std::string("0"));
    QCOMPARE(setting("ShowMissionTime"), std::string("1"));
    QCOMPARE(setting("CheckCheat"), std::string("0"));
    QCOMPARE(setting("ShowErrorDetailes"), std::string("1"));  // written although the box is disabled
    QCOMPARE(setting("MegaDetails"), std::string("1"));
    QCOMPARE(setting("NameSource"), std::string("0"));
    QCOMPARE(setting("ScoreFormat"), std::string("2"));

    // The next showing loads the same from the store.
    fixture.ShowAndPress("CancelBtn");
    QCOMPARE(fixture.Edit("DirEdit").text(), QStringLiteral("/pilots/squadron"));
    QVERIFY(fixture.Check("MegaDetailsCheckBox").isChecked());
    QVERIFY(!fixture.Check("CheatCheckBox").isChecked());
    QVERIFY(fixture.Check("DetaildErrorsCheckBox").isChecked());
    QVERIFY(!fixture.Check("DetaildErrorsCheckBox").isEnabled());
    QCOMPARE(fixture.Chosen("NameSourceGroup"), 0);
    QCOMPARE(fixture.Chosen("ScoreFormatGroup"), 2);
  }

  void oddValuesOfTheStoreAreShownAsTheDialogReadsThem() {
    DialogFixture fixture;
    fixture.SetSetting("ShowZeroMissions", "");
    fixture.SetSetting("CheckCheat", "true");
    fixture.SetSetting("NameSource", "7");
    fixture.SetSetting("ScoreFormat", "-5");
    WriteAll(fixture.home.SettingsFile(), ReadAll(fixture.home.SettingsFile()) + "showmissiontime=1\n");
    fixture.ShowAndPress("OKBtn", [](QWidget& dialog) {
      QVERIFY(!Find<QCheckBox>(dialog, "ShowZeroCheckBox")->isChecked());
      QVERIFY(!Find<QCheckBox>(dialog, "CheatCheckBox")->isChecked());
      QVERIFY(Find<QCheckBox>(dialog, "ShowTimeCheckBox")->isChecked());
      QVERIFY(Find<QRadioButton>(dialog, "NameSourceGroupItem2")->isChecked());
    });
    QCOMPARE(fixture.Chosen("ScoreFormatGroup"), -1);
    QCOMPARE(fixture.Setting("ShowZeroMissions"), std::optional<std::string>("0"));
    QCOMPARE(fixture.Setting("CheckCheat"), std::optional<std::string>("0"));
    QCOMPARE(fixture.Setting("NameSource"), std::optional<std::string>("2"));
    QCOMPARE(fixture.Setting("ScoreFormat"), std::optional<std::string>("-1"));
    QCOMPARE(fixture.Setting("ShowMissionTime"), std::optional<std::string>("1"));
    QVERIFY(fixture.prompts.MessageTexts().isEmpty());
  }

  // A choice that is not a number stops the loading there: the next choice is not loaded and the
  // enabled state is not updated. The dialog stays usable.
  void aChoiceThatIsNotANumberIsReportedAndStopsTheLoading() {
    DialogFixture fixture;
    fixture.ShowAndPress("CancelBtn", [](QWidget& dialog) {
      Find<QRadioButton>(dialog, "ScoreFormatGroupItem0")->setChecked(true);
      Click(dialog, "CheatCheckBox");  // unchecked: the detailed box is disabled
    });
    fixture.SetSetting("NameSource", "abc");
    fixture.SetSetting("ScoreFormat", "2");
    fixture.SetSetting("CheckCheat", "1");
    bool stillShown = false;
    fixture.ShowAndPress("CancelBtn", [&stillShown](QWidget& dialog) { stillShown = dialog.isVisible(); });
    QVERIFY(stillShown);
    QCOMPARE(fixture.prompts.standardErrors,
             QStringList{QStringLiteral("'abc' is not a valid integer value")});
    QVERIFY(fixture.Check("CheatCheckBox").isChecked());
    QCOMPARE(fixture.Chosen("ScoreFormatGroup"), 0);
    QVERIFY(!fixture.Check("DetaildErrorsCheckBox").isEnabled());
  }

  void cheatBoxClicksSwitchTheDetailedBoxAndKeepItsState() {
    DialogFixture fixture;
    fixture.SetSetting("ShowErrorDetailes", "1");
    fixture.ShowAndPress("OKBtn", [](QWidget& dialog) {
      auto* detailed = Find<QCheckBox>(dialog, "DetaildErrorsCheckBox");
      QVERIFY(detailed->isEnabled());
      Click(dialog, "CheatCheckBox");
      QVERIFY(!detailed->isEnabled());
      QVERIFY(detailed->isChecked());
      Click(dialog, "CheatCheckBox");
      QVERIFY(detailed->isEnabled());
      QVERIFY(detailed->isChecked());
      Click(dialog, "CheatCheckBox");
    });
    QCOMPARE(fixture.Setting("CheckCheat"), std::optional<std::string>("0"));
    QCOMPARE(fixture.Setting("ShowErrorDetailes"), std::optional<std::string>("1"));
  }

  void defaultSetsTheControlsButWritesNothingAndKeepsSaveLog() {
    DialogFixture fixture;
    fixture.SetSetting("SaveLogFile", "0");
    fixture.SetSetting("CheckCheat", "0");
    fixture.SetSetting("NameSource", "0");
    fixture.SetSetting("LogFile", "/elsewhere.txt");
    fixture.SetSetting("MegaDetails", "1");
    const QByteArray before = ReadAll(fixture.home.SettingsFile());
    fixture.ShowAndPress("CancelBtn", [](QWidget& dialog) { Click(dialog, "Default1"); });
    QCOMPARE(ReadAll(fixture.home.SettingsFile()), before);
    QCOMPARE(fixture.Edit("DirEdit").text(), fixture.home.Home());
    QCOMPARE(fixture.Edit("LogFileEdit").text(), fixture.home.LogFile());
    QVERIFY(!fixture.Check("SaveLogCheckBox").isChecked());
    QVERIFY(fixture.Check("CheatCheckBox").isChecked());
    QVERIFY(fixture.Check("DetaildErrorsCheckBox").isEnabled());
    QVERIFY(!fixture.Check("MegaDetailsCheckBox").isChecked());
    QCOMPARE(fixture.Chosen("NameSourceGroup"), 2);
    QCOMPARE(fixture.Chosen("ScoreFormatGroup"), 1);
  }

  void logFileButtonPicksThroughTheSaveDialog() {
    DialogFixture fixture;
    const QString chosen = fixture.home.File(QStringLiteral("new log.txt"));
    fixture.prompts.ChooseNextFile(std::nullopt);
    fixture.prompts.ChooseNextFile(chosen);
    fixture.ShowAndPress("OKBtn", [&fixture, chosen](QWidget& dialog) {
      Click(dialog, "LogFileButton");
      QCOMPARE(fixture.Edit("LogFileEdit").text(), fixture.home.LogFile());
      Click(dialog, "LogFileButton");
      QCOMPARE(fixture.Edit("LogFileEdit").text(), chosen);
    });
    const FileDialogState& shown = fixture.prompts.fileDialogs.at(0).state;
    QCOMPARE(shown.title, QStringLiteral("Log file"));
    QCOMPARE(shown.filters,
             (QStringList{QStringLiteral("Textfile (*.txt)"), QStringLiteral("All files (*)")}));
    QCOMPARE(shown.fileName, fixture.home.LogFile());
    QCOMPARE(fixture.Setting("LogFile"), std::optional<std::string>(chosen.toStdString()));
  }

  // The table names each control; one that the dialog lacks, or holds as another type, is named when
  // the controls are bound.
  void aControlTheDialogLacksIsNamedWhenBinding() {
    QWidget dialog;
    (new QLineEdit(&dialog))->setObjectName(QStringLiteral("DirEdit"));
    (new QCheckBox(&dialog))->setObjectName(QStringLiteral("LogFileEdit"));
    SettingControls controls;
    try {
      controls.BindAll(dialog);
      QFAIL("bound a dialog without the table's controls");
    } catch (const std::logic_error& error) {
      QCOMPARE(QString::fromUtf8(error.what()),
               QStringLiteral("the settings dialog has no QLineEdit named LogFileEdit"));
    }
  }

  void aFailedWriteIsReportedAndTheDialogClosesAllTheSame() {
    DialogFixture fixture;
    const QString settings = fixture.home.SettingsFile();
    fixture.ShowAndPress("OKBtn", [&settings](QWidget&) {
      QFile::remove(settings);
      QDir().mkpath(settings);  // a folder where the file was: nothing can be written there
    });
    QCOMPARE(fixture.prompts.standardErrors, QStringList{QStringLiteral("Unable to write to ") + settings});
    QVERIFY(!fixture.Dialog().isVisible());
    QCOMPARE(fixture.Dialog().result(), int(QDialog::Accepted));
  }

  // Another program holds the settings file's lock: the windows go on meanwhile (this test's timer
  // runs), a box names the file after about a second, and its Cancel fails OK's writes at the first,
  // with the file as it was.
  void aHeldSettingsLockShowsTheWaitBoxAndCancelWritesNothing() {
    DialogFixture fixture;
    fixture.ShowAndPress("OKBtn");
    const QString settings = fixture.home.SettingsFile();
    const QByteArray before = fixture.SettingsBytes();
    std::unique_ptr<LockHolder> holder;
    int ticks = 0;
    QString boxText;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (!holder) return;
      if (++ticks > 1500) holder->LetGo();  // the test's own deadline: no box came in 30 s
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible()) continue;
        boxText = box->text();
        watcher.stop();
        box->button(QMessageBox::Cancel)->click();
        return;
      }
    });
    watcher.start(20);
    // The lock is taken once the dialog stands, so that its showing's own write of LastDir is done.
    fixture.ShowAndPress("OKBtn", [&](QWidget&) {
      holder = std::make_unique<LockHolder>(LocalPath(settings));
      fixture.Check("CheatCheckBox").setChecked(false);
    });
    QVERIFY(holder && holder->Holding());
    QVERIFY(ticks > 1);
    QCOMPARE(boxText, settings + QStringLiteral(" is locked by another program. Waiting until it is free; "
                                                "Cancel gives up, and nothing is written."));
    QCOMPARE(fixture.prompts.standardErrors, QStringList{QStringLiteral("Unable to write to ") + settings});
    QCOMPARE(fixture.SettingsBytes(), before);
  }

  // A pilot file named as the log is refused at OK in the save dialogs' words, and nothing is written;
  // the dialog stays for the name to be mended.
  void aPilotFileAsTheLogIsRefusedAtOk() {
    DialogFixture fixture;
    fixture.ShowAndPress("OKBtn");
    const QByteArray before = fixture.SettingsBytes();
    const QString pilot = fixture.home.File(QStringLiteral("Red.PLT"));
    bool stayed = false;
    fixture.ShowAndPress("CancelBtn", [&](QWidget& dialog) {
      fixture.Edit("LogFileEdit").setText(pilot);
      Click(dialog, "OKBtn");
      stayed = dialog.isVisible();
    });
    QVERIFY(stayed);
    QCOMPARE(fixture.prompts.MessageTexts().constLast(),
             QStringLiteral("Cannot use ") + QDir::toNativeSeparators(pilot) +
                 QStringLiteral(" as the log: it is a pilot file"));
    QCOMPARE(fixture.SettingsBytes(), before);
  }
};

ORLENDA_WINDOW_TEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
