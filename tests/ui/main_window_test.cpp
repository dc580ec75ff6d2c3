// The main window driven through its buttons: start-up, the open sequence from the button, the command
// line and a drop, the three save actions, "Clear text", and every branch of the questions on exit.

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <algorithm>
#include <clocale>
#include <string_view>

#include "app/command_line.h"
#include "app/session_end.h"
#include "mainlog/main_log_file.h"
#include "program_fixture.h"
#include "report/locale_report_context.h"
#include "settings/typed_settings.h"
#include "support/lock_holder.h"
#include "support/system_wording.h"
#include "ui/shell/qt_dialog_state.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/session.h"
#include "window_test_main.h"

using namespace orlenda;
using namespace orlenda::test;

namespace {

// The system's words for a folder that is not there, which a failed save quotes.
QString MissingFolderReason() { return QString::fromUtf8(kNoSuchFolder); }

// Closes the pilot file view as soon as it is shown, by its "Export and close" button or, with
// `closeBox`, as the frame's close box does, after putting `exportText` into its export field if given.
void CloseViewWhenShown(bool closeBox = false, QString exportText = {}) {
  WhenModalShown([closeBox, exportText](QWidget& view) {
    if (!exportText.isNull()) Find<QLineEdit>(view, "ExportEdit")->setText(exportText);
    if (closeBox) {
      view.close();
    } else {
      Click(view, "Button1");
    }
  });
}

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n')); }

// What a tooltip shows, as the player reads it.
QString ShownToolTip(const QString& toolTip) {
  if (!Qt::mightBeRichText(toolTip)) return toolTip;
  QTextDocument document;
  document.setHtml(toolTip);
  return document.toPlainText();
}

// A settings file damaged beyond use: its section header, then 4 KiB of noise.
QByteArray DamagedSettings() {
  QByteArray bytes("[Orlenda]\n");
  quint32 state = 12345;
  for (int i = 0; i < 4096; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.append(static_cast<char>(state >> 24));
  }
  return bytes;
}

void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Notes whether a settings dialog existed when the main window was first painted.
class FirstPaintOfMainWindow : public QObject {
 public:
  FirstPaintOfMainWindow() { QApplication::instance()->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen && event->type() == QEvent::Paint && watched->objectName() == QStringLiteral("Form1")) {
      seen = true;
      const QWidgetList windows = QApplication::topLevelWidgets();
      settingsDialogExisted = std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
        return qobject_cast<const TSettingsDlg*>(window);
      });
    }
    return false;
  }

  bool seen = false;
  bool settingsDialogExisted = false;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

  void startWithoutSettingsOrLogWritesOnlyLastDir() {
    ProgramFixture program;
    program.Start();
    QCOMPARE(ReadAll(program.home.SettingsFile()),
             QByteArray("[Orlenda]\nLastDir=") +
                 QFile::encodeName(QDir::toNativeSeparators(program.home.WorkingFolder())) + "\n");
    QCOMPARE(program.LogText(), QString());
    QVERIFY(!program.LogModified());
    QCOMPARE(Find<QPushButton>(program.Form1(), "SaveButton")->toolTip(),
             QStringLiteral("Save the main log to: ") + program.home.LogFile());
    QVERIFY(program.prompts.MessageTexts().isEmpty());
  }

  void startKeepsAnExistingLastDir() {
    ProgramFixture program;
    program.SetSetting("LastDir", "/games/pilots/ace.plt");
    program.Start();
    QCOMPARE(program.Setting("LastDir"), std::optional<std::string>("/games/pilots/ace.plt"));
  }

  void startLoadsTheLogNamedBySettingsUnmodified() {
#ifdef Q_OS_WIN
    QSKIP("the log's name holds '<' and '>', which Windows file names cannot");
#endif
    ProgramFixture program;
    const QString log = program.home.File(QStringLiteral("<b>club<b> log & more.txt"));
    WriteAll(log, "Ace - Score: 100\r\nRookie - Score: 5\r\n");
    program.SetSetting("LogFile", log.toStdString());
    program.Start();
    QCOMPARE(program.LogText(), QStringLiteral("Ace - Score: 100\nRookie - Score: 5"));
    QVERIFY(!program.LogModified());
    QCOMPARE(ShownToolTip(Find<QPushButton>(program.Form1(), "SaveButton")->toolTip()),
             QStringLiteral("Save the main log to: ") + log);
  }

  void firstRunStartsInTheGamesFolder() {
    ProgramFixture program;
    const QString game =
        program.home.Home() + QStringLiteral("/.steam/steam/steamapps/common/STAR WARS X-Wing Alliance");
    QDir().mkpath(game);
    WriteAll(game + QStringLiteral("/Ace.plt"), "x");
    program.Start();
    QCOMPARE(program.Setting("LastDir"),
             std::optional<std::string>(QDir::toNativeSeparators(game).toStdString()));
  }

  // A damaged settings file is explained over the splash screen. Answered No, nothing is written; Yes
  // keeps the old file under a free name beside the new one.
  void damagedSettingsAreKeptAsideOnlyWithConsent() {
    ProgramFixture program;
    const QString ini = program.home.SettingsFile();
    WriteAll(ini, DamagedSettings());
    WriteAll(ini + QStringLiteral(".bad"), "kept earlier");
    program.prompts.AnswerNext(MessageAnswer::No);
    program.Start();
    QCOMPARE(
        program.prompts.MessageTexts(),
        QStringList{QStringLiteral("The settings file ") + ShownPath(ini) +
                    QStringLiteral(" is damaged: it holds binary data instead of settings text.\n\n"
                                   "Start again from the default settings? The old file will be kept as ") +
                    ShownPath(ini) + QStringLiteral(".bad2.")});
    QCOMPARE(program.prompts.MessageParents(), std::vector<QWidget*>{program.windows->SplashForm.get()});
    QCOMPARE(ReadAll(ini), DamagedSettings());

    ProgramFixture again;
    WriteAll(again.home.SettingsFile(), DamagedSettings());
    again.prompts.AnswerNext(MessageAnswer::Yes);
    again.Start();
    QCOMPARE(ReadAll(again.home.SettingsFile() + QStringLiteral(".bad")), DamagedSettings());
    QCOMPARE(again.Setting("LastDir"),
             std::optional<std::string>(QDir::toNativeSeparators(again.home.WorkingFolder()).toStdString()));
    QCOMPARE(again.prompts.standardErrors, QStringList());
  }

  void unreadableLogIsReportedAndTheLogStartsEmpty() {
    ProgramFixture program;
    WriteAll(program.home.LogFile(), "secret\r\n");
    QFile::setPermissions(program.home.LogFile(), QFileDevice::Permissions());
    if (QFile(program.home.LogFile()).open(QIODevice::ReadOnly)) QSKIP("this account reads any file (root)");
    program.Start();
    QCOMPARE(program.prompts.standardErrors, QStringList{QStringLiteral("Cannot open file ") +
                                                         QDir::toNativeSeparators(program.home.LogFile())});
    QCOMPARE(program.LogText(), QString());
  }

  // A settings file that cannot be written is reported, and the log is loaded all the same: an empty
  // log saved later would replace the user's log file.
  void unwritableSettingsStillLoadTheLog() {
    ProgramFixture program;
    WriteAll(program.home.LogFile(), "kept line\r\n");
    const QString blocker = program.home.File(QStringLiteral("not-a-folder"));
    WriteAll(blocker, "x");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker + QStringLiteral("/config")));
    qputenv("APPDATA", QFile::encodeName(QDir::toNativeSeparators(blocker + QStringLiteral("/config"))));
    program.Start();
    QCOMPARE(program.prompts.standardErrors.size(), 1);
    QVERIFY(program.prompts.standardErrors.front().startsWith(QStringLiteral("Unable to write to ")));
    QCOMPARE(program.LogText(), QStringLiteral("kept line"));
  }

  // The desktop program's start: the main window is on screen before the windows that are not shown
  // yet are made, and they all exist when the sequence is done.
  void desktopStartPaintsTheMainWindowBeforeMakingTheHiddenOnes() {
    ProgramFixture program;
    FirstPaintOfMainWindow paint;
    program.Start({}, MainWindowShown::kBeforeTheHiddenWindows);
    QVERIFY(paint.seen);
    QVERIFY(!paint.settingsDialogExisted);
    QVERIFY(program.Form1().isVisible());
    QVERIFY(!program.windows->SplashForm->isVisible());
    QVERIFY(program.windows->SettingsDlg && program.windows->AboutBox && program.windows->PltFileView);
  }

  void splashIsHiddenWhenTheMainWindowIsShown() {
    ProgramFixture program;
    program.Start();
    QVERIFY(program.windows->SplashForm->isVisible());
    program.Form1().show();
    QVERIFY(!program.windows->SplashForm->isVisible());
    QCOMPARE(program.Form1().windowTitle(), QStringLiteral("Orlenda 3001 <Light>[*]"));  // "*" when modified
    QVERIFY(!program.Form1().isWindowModified());
  }

  void openSequenceAppendsTheExportLineAndRemembersTheFile() {
    ProgramFixture program;
    const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
    program.Start();
    program.Form1().show();
    program.prompts.ChooseNextFile(pilot);
    CloseViewWhenShown();
    Click(program.Form1(), "GetScoreButton");

    const ShownFileDialog& open = program.prompts.fileDialogs.at(0);
    QVERIFY(!open.save);
    QCOMPARE(open.parent, &program.Form1());
    QCOMPARE(open.state.initialDir, QDir::toNativeSeparators(program.home.WorkingFolder()));
    QCOMPARE(open.state.filters,
             (QStringList{QStringLiteral("XWA Pilotfiles (*.plt)"), QStringLiteral("All files (*)")}));
    QCOMPARE(program.View().windowTitle(), ShownPath(pilot));
    QVERIFY(program.View().ExportText().startsWith(QStringLiteral("Red - Score: ")));
    QCOMPARE(program.LogText(), program.View().ExportText());
    QVERIFY(program.LogModified());
    QCOMPARE(program.Setting("LastDir"),
             std::optional<std::string>(QDir::toNativeSeparators(pilot).toStdString()));

    // The next open starts from the file just opened; the view closed by its close box still exports,
    // with the text as the user left it.
    const QString first = program.View().ExportText();
    program.prompts.ChooseNextFile(pilot);
    CloseViewWhenShown(true, QStringLiteral("edited by hand"));
    Click(program.Form1(), "GetScoreButton");
    QCOMPARE(program.prompts.fileDialogs.at(1).state.initialDir, QDir::toNativeSeparators(pilot));
    QCOMPARE(Lines(program.LogText()), (QStringList{first, QStringLiteral("edited by hand")}));
    QVERIFY(program.prompts.MessageTexts().isEmpty());
  }

  void exportLineAppendedToALongLogIsShown() {
    ProgramFixture program;
    const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
    WriteAll(program.home.LogFile(), QByteArray("old line\r\n").repeated(2000));
    program.Start();
    program.Form1().show();
    auto* log = Find<QPlainTextEdit>(program.Form1(), "Memo1");
    QCOMPARE(log->verticalScrollBar()->value(), 0);
    program.prompts.ChooseNextFile(pilot);
    CloseViewWhenShown();
    Click(program.Form1(), "GetScoreButton");
    QCOMPARE(log->textCursor().block().text(), program.View().ExportText());
    QVERIFY(log->verticalScrollBar()->value() > 0);
    QVERIFY(log->viewport()->rect().contains(log->cursorRect()));
  }

  void keyboardLeavesTheLogAndReachesTheButtons() {
    ProgramFixture program;
    program.Start();
    ShowActive(program.Form1());
    auto* log = Find<QPlainTextEdit>(program.Form1(), "Memo1");
    log->setFocus();
    QTest::keyClick(log, Qt::Key_Tab);
    QCOMPARE(log->toPlainText(), QStringLiteral("\t"));  // Tab alone types a tab
    QTest::keyClick(log, Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(QApplication::focusWidget() != log);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("GetScoreButton"));
    log->setFocus();
    QTest::keyClick(log, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ExitButton"));
    QCOMPARE(log->toPlainText(), QStringLiteral("\t"));
    // The buttons in the order the panel shows them, top to bottom, then the log.
    QStringList order;
    QWidget* widget = Find<QPushButton>(program.Form1(), "GetScoreButton");
    for (int step = 0; step < 100 && order.size() < 10; ++step, widget = widget->nextInFocusChain()) {
      if (widget->focusPolicy() & Qt::TabFocus) order.append(widget->objectName());
    }
    QCOMPARE(order,
             (QStringList{"GetScoreButton", "SaveButton", "SaveAsButton", "ClearButton", "PilotsButton",
                          "Button1", "AboutButton", "SaveAndExitButton", "ExitButton", "Memo1"}));

    const std::pair<const char*, const char*> shortcuts[] = {
        {"GetScoreButton", "Ctrl+O"}, {"SaveButton", "Ctrl+S"}, {"ExitButton", "Ctrl+Q"}};
    for (const auto& [button, keys] : shortcuts) {
      QCOMPARE(Find<QPushButton>(program.Form1(), button)->shortcut(),
               QKeySequence(QString::fromLatin1(keys)));
    }
    QCOMPARE(Find<QPushButton>(program.Form1(), "GetScoreButton")->toolTip(),
             QStringLiteral("Select a XWA .plt file to open"));
    // A button's shortcut clicks it a moment later, as the pressed button is drawn.
    QTest::keyClick(&program.Form1(), Qt::Key_O, Qt::ControlModifier);
    QTRY_COMPARE(program.prompts.fileDialogs.size(), std::size_t{1});
    QTest::keyClick(&program.Form1(), Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(ReadAll(program.home.LogFile()), QByteArray("\t\r\n"));
    QTest::keyClick(&program.Form1(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!program.Form1().isVisible());
  }

  void withSaveFilenameOffLastDirIsNotWritten() {
    ProgramFixture program;
    const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
    program.SetSetting("SaveFilename", "0");
    program.Start();
    program.prompts.ChooseNextFile(pilot);
    CloseViewWhenShown();
    Click(program.Form1(), "GetScoreButton");
    QCOMPARE(
        program.Setting("LastDir"),
        std::optional<std::string>(QDir::toNativeSeparators(program.home.WorkingFolder()).toStdString()));
    QCOMPARE(program.LogText(), program.View().ExportText());
  }

  void commandLineFileIsOfferedPrefilled() {
    ProgramFixture program;
    WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
    program.Start();
    const QString absolute = program.home.File(QStringLiteral("Red_Kestrel.plt"));
    program.prompts.ChooseNextFile(absolute);
    CloseViewWhenShown();
    program.Form1().OfferCommandLineFile(
        QStringLiteral("Red_Kestrel.plt"));  // relative to the working folder
    QCOMPARE(program.prompts.fileDialogs.at(0).state.fileName, absolute);
    QCOMPARE(program.prompts.fileDialogs.at(0).parent, &program.Form1());
    QCOMPARE(program.LogText(), program.View().ExportText());
  }

  // `--open FILE`, the file association's verb, opens the file without the open dialog; the plain
  // argument keeps its offer in the dialog.
  void openOptionOpensTheFileAtOnce() {
    ProgramFixture program;
    const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
    program.Start();
    CloseViewWhenShown();
    QueueCommandLineFile(program.Form1(), ParseDesktopArguments({QStringLiteral("orlenda3001"),
                                                                 QStringLiteral("--open"), pilot}));
    QTRY_VERIFY(!program.LogText().isEmpty());  // the view was shown and closed
    QCOMPARE(program.LogText(), program.View().ExportText());
    QCOMPARE(program.View().windowTitle(), ShownPath(pilot));
    QVERIFY(program.prompts.fileDialogs.empty());

    const auto parsed = [](const QStringList& arguments) {
      const DesktopArguments result =
          ParseDesktopArguments(QStringList{QStringLiteral("orlenda3001")} + arguments);
      return std::make_pair(result.pilotFile, result.openAtOnce);
    };
    QCOMPARE(parsed({QStringLiteral("x.plt")}), std::make_pair(QStringLiteral("x.plt"), false));
    QCOMPARE(parsed({QStringLiteral("--open=x.plt")}), std::make_pair(QStringLiteral("x.plt"), true));
    QCOMPARE(parsed({QStringLiteral("--"), QStringLiteral("--open")}),
             std::make_pair(QStringLiteral("--open"), false));
    QCOMPARE(parsed({QStringLiteral("--open")}), std::make_pair(QString(), true));
  }

  // Qt's file dialog writes its state into Qt's settings, which every Qt program shares; after each
  // dialog of ours they are as they were: none when there were none, else the dialog's as they stood.
  void fileDialogsLeaveQtsSharedSettingsAsTheyWere() {
    TestHome home;
    const QtDialogStateGuard asBeforeTheTest;
    const auto dialog = [&home] {
      const QtDialogStateGuard guard;
      QFileDialog fileDialog;  // writes its state as it ends
      fileDialog.setOption(QFileDialog::DontUseNativeDialog);
      fileDialog.setDirectory(home.Home());
    };
    RemoveQtSharedSettings();
    dialog();
    QVERIFY(!QtSharedSettingsExist());

    {
      QSettings shared(QSettings::UserScope, QStringLiteral("QtProject"));
      shared.setValue(QStringLiteral("FileDialog/lastVisited"), QStringLiteral("file:///before"));
      shared.setValue(QStringLiteral("Other/kept"), 7);
    }
    dialog();
    QSettings shared(QSettings::UserScope, QStringLiteral("QtProject"));
    shared.setFallbacksEnabled(false);
    QCOMPARE(shared.allKeys().size(), 2);
    QCOMPARE(shared.value(QStringLiteral("FileDialog/lastVisited")).toString(),
             QStringLiteral("file:///before"));
    QCOMPARE(shared.value(QStringLiteral("Other/kept")).toInt(), 7);
  }

  void cancelledOpenDoesNothingAndAMissingFileIsReported() {
    ProgramFixture program;
    program.Start();
    program.prompts.ChooseNextFile(std::nullopt);
    Click(program.Form1(), "GetScoreButton");
    QVERIFY(program.prompts.MessageTexts().isEmpty());
    const QString missing = program.home.File(QStringLiteral("gone.plt"));
    program.prompts.ChooseNextFile(missing);
    Click(program.Form1(), "GetScoreButton");
    QCOMPARE(program.LogText(), QString());
    QVERIFY(!program.LogModified());
    QCOMPARE(program.prompts.MessageTexts(),
             QStringList{QStringLiteral("File not found: ") + ShownPath(missing)});
    QCOMPARE(program.prompts.messages.at(0).kind, MessageKind::Error);
    QCOMPARE(
        program.Setting("LastDir"),
        std::optional<std::string>(QDir::toNativeSeparators(program.home.WorkingFolder()).toStdString()));
  }

  // The boxes stand over the main window, not over the view that was never shown; from the command
  // line just as from the button.
  void pilotFileOfWrongSizeIsRefusedWithBothMessages() {
    ProgramFixture program;
    const QString wrong = program.home.File(QStringLiteral("Sister.plt"));
    WriteAll(wrong, QByteArray(1000, '\0'));
    program.Start();
    program.Form1().show();
    program.prompts.ChooseNextFile(wrong);
    Click(program.Form1(), "GetScoreButton");  // a view shown now would never close: the test would hang
    const QString named = QStringLiteral("\n\n") + ShownPath(wrong);  // each box names the file that failed
    const QStringList messages{
        QStringLiteral("The file have wrong size. 1000 The plt file must be 152.076 bytes!") + named,
        QStringLiteral("1 Errors while loading file! This may not be a XWA pilotfile.") + named};
    QCOMPARE(program.prompts.MessageTexts(), messages);
    QCOMPARE(program.prompts.messages.at(0).kind, MessageKind::Error);
    program.prompts.ChooseNextFile(wrong);
    program.Form1().OfferCommandLineFile(wrong);
    QCOMPARE(program.prompts.MessageTexts(), messages + messages);
    for (QWidget* parent : program.prompts.MessageParents()) QCOMPARE(parent, &program.Form1());
    QCOMPARE(program.LogText(), QString());
    QCOMPARE(
        program.Setting("LastDir"),
        std::optional<std::string>(QDir::toNativeSeparators(program.home.WorkingFolder()).toStdString()));
  }

  // Pilot files dropped on the log's text area open as the open dialog would, one after the other,
  // and the log gets their export lines only; other text dropped there is an ordinary edit.
  void pilotFilesDroppedOnTheLogOpenAndOtherTextIsAnEdit() {
    ProgramFixture program;
    const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Upper.PLT")));
    WriteAll(program.home.LogFile(), "first line\r\n");
    program.Start();
    auto& area = *Find<QPlainTextEdit>(program.Form1(), "Memo1");
    QWidget& viewport = *area.viewport();
    ShowActive(program.Form1());
    const auto drop = [&viewport](const QMimeData& data) {
      const QPoint middle = viewport.rect().center();
      QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(&viewport, &enter);
      QDropEvent dropped(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(&viewport, &dropped);
      return enter.isAccepted() && dropped.isAccepted();
    };
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(program.home.File(QStringLiteral("notes.txt"))),
                   QUrl::fromLocalFile(pilot), QUrl::fromLocalFile(pilot)});
    QCOMPARE(DroppedPilotFiles(files), (QStringList{pilot, pilot}));
    WhenModalShown([](QWidget& first) {
      CloseViewWhenShown();  // the second file's view, opened once this one has closed
      Click(first, "Button1");
    });
    QVERIFY(drop(files));
    QTRY_COMPARE(Lines(program.LogText()),
                 (QStringList{QStringLiteral("first line"), program.View().ExportText(),
                              program.View().ExportText()}));
    QVERIFY(program.prompts.fileDialogs.empty());

    QMimeData text;
    text.setText(QStringLiteral("dropped words"));
    QVERIFY(drop(text));
    QVERIFY(program.LogText().contains(QStringLiteral("dropped words")));
  }

  // Closing the view with edited details asks first: Cancel keeps the view and the edit and appends
  // nothing, Discard closes and appends the export line as before. Escape in an open list closes the
  // list only; the view opens with the name box focused.
  void closingTheViewWithEditedDetailsAsks() {
    ProgramFixture program;
    const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
    program.Start();
    program.Form1().show();
    QString logWhileOpen = QStringLiteral("unset");
    bool nameFocused = false;
    bool listClosedAlone = false;
    bool stayedOpen = false;
    WhenModalShown([&](QWidget& view) {
      auto* name = Find<QLineEdit>(view, "PilotNameEdit");
      nameFocused = view.focusWidget() == name;
      auto* kalidor = Find<QComboBox>(view, "KalidorBox");
      kalidor->showPopup();
      QTest::keyClick(kalidor->view(), Qt::Key_Escape);
      listClosedAlone = view.isVisible() && !kalidor->view()->isVisible() && program.prompts.messages.empty();

      name->setText(QStringLiteral("Typed Name"));
      program.prompts.AnswerNext(MessageAnswer::Cancel);
      QTest::keyClick(&view, Qt::Key_Escape);
      stayedOpen = view.isVisible() && name->text() == QStringLiteral("Typed Name");
      logWhileOpen = program.LogText();
      program.prompts.AnswerNext(MessageAnswer::Discard);
      QTest::keyClick(&view, Qt::Key_Escape);
    });
    program.Form1().FormDragDrop({pilot});
    QVERIFY(nameFocused);
    QVERIFY(listClosedAlone);
    QVERIFY(stayedOpen);
    QCOMPARE(logWhileOpen, QString());
    QCOMPARE(program.prompts.messages.size(), std::size_t{2});
    const ShownMessage& asked = program.prompts.messages.at(0);
    QCOMPARE(asked.buttons, MessageButtons::SaveDiscardCancel);
    QVERIFY2(asked.text.contains(QStringLiteral("Name: \"Red Kestrel\" \u2192 \"Typed Name\"")),
             qPrintable(asked.text));
    QCOMPARE(program.LogText(), program.View().ExportText());
    QCOMPARE(ReadAll(pilot), ReadAll(WriteSamplePilot(program.home.File(QStringLiteral("same.plt")))));
  }

  // Today's date in an export line has one form from either front end, in a German as in an American
  // locale: the command line's line and the view's are the same bytes.
  void todaysDateIsTheCommandLinesInEitherLocale() {
#ifdef _WIN32
    QSKIP("Windows takes the locale from the user's settings, not from LC_ALL");
#endif
    int tested = 0;
    for (const char* locale : {"de_DE.UTF-8", "en_US.UTF-8"}) {
      if (std::setlocale(LC_ALL, locale) == nullptr) {
        qInfo("%s is not installed", locale);
        continue;
      }
      ++tested;
      ProgramFixture program;
      const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
      program.SetSetting("IncludeDate", "1");
      program.context = ReportContextFromLocale;
      program.Start();
      QProcess cli;
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
      cli.setProcessEnvironment(environment);
      cli.start(QStringLiteral(ORLENDA_CLI_PATH),
                {QStringLiteral("export"), QStringLiteral("--ini"), program.home.SettingsFile(), pilot});
      QVERIFY(cli.waitForFinished() && cli.exitCode() == 0);
      CloseViewWhenShown();
      program.Form1().FormDragDrop({pilot});
      QCOMPARE(program.LogText() + QStringLiteral("\n"), QString::fromUtf8(cli.readAllStandardOutput()));
      const bool german = std::string_view(locale).starts_with("de");
      const QString today = QDate::currentDate().toString(german ? "dd.MM.yyyy" : "MM/dd/yyyy");
      QVERIFY2(program.LogText().startsWith(today), qPrintable(program.LogText()));
    }
    std::setlocale(LC_ALL, "C");
    if (tested == 0) QSKIP("neither de_DE.UTF-8 nor en_US.UTF-8 is installed");
  }

  // A line that the command line appended while the program was open stands before the export line
  // of a view closed after it; both are saved once.
  void linesAppendedByTheCommandLineKeepTheirPlaceInTime() {
    ProgramFixture program;
    const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
    WriteAll(program.home.LogFile(), "first line\r\n");
    program.Start();
    QProcess cli;
    cli.start(QStringLiteral(ORLENDA_CLI_PATH),
              {QStringLiteral("export"), pilot, QStringLiteral("--log"), program.home.LogFile()});
    QVERIFY(cli.waitForFinished() && cli.exitCode() == 0);
    const QByteArray cliLine = ReadAll(program.home.LogFile()).mid(12);
    QVERIFY(cliLine.endsWith("\r\n") && cliLine.size() > 2);
    CloseViewWhenShown(false, QStringLiteral("closed later"));
    program.Form1().FormDragDrop({pilot});
    Click(program.Form1(), "SaveButton");
    QCOMPARE(ReadAll(program.home.LogFile()), QByteArray("first line\r\n") + cliLine + "closed later\r\n");
    QCOMPARE(program.LogText() + QStringLiteral("\n"),
             QString::fromUtf8(QByteArray("first line\r\n") + cliLine + "closed later\r\n")
                 .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    // A line appended while the player was in another window joins the text when they come back,
    // before what they add then.
    QWidget elsewhere;
    ShowActive(elsewhere);
    QVERIFY(AppendMainLogLines(LocalPath(program.home.LogFile()), {"while away"}).ok);
    ShowActive(program.Form1());
    QCOMPARE(Lines(program.LogText()).constLast(), QStringLiteral("while away"));
    program.Form1().mainLog().AppendLine(QStringLiteral("typed on return"));
    Click(program.Form1(), "SaveButton");
    QVERIFY(ReadAll(program.home.LogFile()).endsWith("closed later\r\nwhile away\r\ntyped on return\r\n"));
  }

  // Two programs on one log, each adding a line and saving: a line that one saved stays where it was
  // saved when the other saves after it, and a line appended while a window keeps the focus joins its
  // text at once, before what the player types next.
  void twoProgramsOnOneLogKeepTheOrderInWhichLinesCame() {
    ProgramFixture program;
    WriteAll(program.home.LogFile(), "first\r\n");
    program.Start();
    Session otherSession(program.prompts, DefaultSettingsPath());
    TForm1 other(otherSession);
    TForm1& form1 = program.Form1();
    const auto type = [](TForm1& window, const QString& line) {
      auto* area = Find<QPlainTextEdit>(window, "Memo1");
      area->moveCursor(QTextCursor::End);
      QTest::keyClick(area, Qt::Key_Return);
      QTest::keyClicks(area, line);
    };
    type(form1, QStringLiteral("a1"));
    type(other, QStringLiteral("b1"));
    Click(form1, "SaveButton");
    Click(other, "SaveButton");
    type(form1, QStringLiteral("a2"));
    Click(form1, "SaveButton");
    QCOMPARE(ReadAll(program.home.LogFile()), QByteArray("first\r\na1\r\nb1\r\na2\r\n"));
    QCOMPARE(program.LogText(), QStringLiteral("first\na1\nb1\na2"));
    QTRY_COMPARE(other.mainLog().Text(), QStringLiteral("first\na1\nb1\na2"));  // told by the file's change

    ShowActive(form1);
    QVERIFY(AppendMainLogLines(LocalPath(program.home.LogFile()), {"while here"}).ok);
    QTRY_COMPARE(Lines(program.LogText()).constLast(), QStringLiteral("while here"));
    type(form1, QStringLiteral("typed later"));
    Click(form1, "SaveButton");
    QVERIFY(ReadAll(program.home.LogFile()).endsWith("a2\r\nwhile here\r\ntyped later\r\n"));
    QVERIFY(!program.LogModified());
  }

  // A save that waits for the log's lock while another program appends a line and lets go: the line
  // is neither taken into the text during the wait nor lost by the save, so that afterwards the file
  // and the text hold both lines, and the title says saved only with the file holding the text.
  void aSaveThatWaitsKeepsTheLineAnotherProgramAppendedMeanwhile() {
    ProgramFixture program;
    WriteAll(program.home.LogFile(), "first\r\n");
    program.Start();
    ShowActive(program.Form1());
    auto* area = Find<QPlainTextEdit>(program.Form1(), "Memo1");
    QByteArray expected = "first\r\n";
    for (int round = 0; round < 20; ++round) {
      const QByteArray typed = "typed " + QByteArray::number(round);
      const QByteArray other = "other " + QByteArray::number(round);
      area->moveCursor(QTextCursor::End);
      QTest::keyClick(area, Qt::Key_Return);
      QTest::keyClicks(area, QString::fromLatin1(typed));
      LockHolder holder(LocalPath(program.home.LogFile()));
      QVERIFY(holder.Holding());
      // Runs inside the save's wait, the first time its events are handled.
      QTimer::singleShot(0, [&] {
        QFile file(program.home.LogFile());
        if (file.open(QIODevice::Append)) file.write(other + "\r\n");
        file.close();
        holder.LetGo();
      });
      Click(program.Form1(), "SaveButton");
      expected += typed + "\r\n" + other + "\r\n";
      QCOMPARE(ReadAll(program.home.LogFile()), expected);
      QCOMPARE(program.LogText() + QStringLiteral("\n"),
               QString::fromLatin1(expected).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
      QVERIFY(!program.Form1().isWindowModified());
    }
  }

  // A line that the command line appends while the window is idle joins the text soon; so does one
  // whose change is seen while its program still holds the log's lock, once it lets go.
  void linesAppendedWhileTheWindowIsIdleJoinTheText() {
    ProgramFixture program;
    const QString pilot = WriteSamplePilot(program.home.File(QStringLiteral("Red_Kestrel.plt")));
    WriteAll(program.home.LogFile(), "first\r\n");
    program.Start();
    QProcess cli;
    cli.start(QStringLiteral(ORLENDA_CLI_PATH),
              {QStringLiteral("export"), pilot, QStringLiteral("--log"), program.home.LogFile()});
    QVERIFY(cli.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(cli.state() == QProcess::NotRunning, 60000);  // the window's events run
    QCOMPARE(cli.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(Lines(program.LogText()).size(), 2, 2000);

    LockHolder holder(LocalPath(program.home.LogFile()));
    QVERIFY(holder.Holding());
    QFileSystemWatcher seen({program.home.LogFile()});
    bool changed = false;
    QObject::connect(&seen, &QFileSystemWatcher::fileChanged, [&changed] { changed = true; });
    QFile file(program.home.LogFile());
    QVERIFY(file.open(QIODevice::Append));
    file.write("while locked\r\n");
    file.close();
    QTRY_VERIFY(changed);
    holder.LetGo();
    QTRY_COMPARE_WITH_TIMEOUT(Lines(program.LogText()).constLast(), QStringLiteral("while locked"), 2000);
    QVERIFY(!program.LogModified());
  }

  // A pilot named on the command line in a folder that does not exist: the real open dialog keeps its
  // whole path, and the box names that path.
  void missingCommandLineFileKeepsItsOwnPath() {
    TestHome home;
    QtPrompts prompts(QStringLiteral("title"));
    StartSequence windows(prompts, DefaultSettingsPath(), {}, FixedReportContext);
    windows.Form1->show();
    const QString missing = home.File(QStringLiteral("nonexistent/missing.plt"));
    QString named;
    QString told;
    WhenModalShown([&named, &told](QWidget& dialog) {
      named = Find<QLineEdit>(dialog, "fileNameEdit")->text();
      WhenModalShown([&told](QWidget& box) {
        told = static_cast<QMessageBox&>(box).text();
        static_cast<QMessageBox&>(box).done(QMessageBox::Ok);
      });
      QWidget* focused = QApplication::focusWidget();
      QTest::keyClick(focused != nullptr ? focused : &dialog, Qt::Key_Return);
    });
    windows.Form1->OfferCommandLineFile(missing);
    QCOMPARE(named, missing);
    QCOMPARE(told, QStringLiteral("File not found: ") + ShownPath(missing));
  }

  void saveLogWritesCrLfLinesAndClearsTheFlag() {
    ProgramFixture program;
    program.Start();
    program.Form1().mainLog().AppendLine(QStringLiteral("Ace - Score: 100"));
    program.Form1().mainLog().AppendLine(QStringLiteral("Zoë - Score: 7"));
    QVERIFY(program.Form1().isWindowModified());
    Click(program.Form1(), "SaveButton");
    QCOMPARE(ReadAll(program.home.LogFile()), QByteArray("Ace - Score: 100\r\nZo\xc3\xab - Score: 7\r\n"));
    QVERIFY(!program.LogModified());
    QVERIFY(!program.Form1().isWindowModified());
    QVERIFY(program.prompts.fileDialogs.empty());
  }

  // The player's log holds an old Windows-1252 line, and the command line appends to it while the
  // program is open: "Save log" keeps both, byte for byte, the command line's line where it was saved,
  // before the line added in the window, and the area shows the log as saved.
  void saveKeepsOldBytesAndLinesAppendedMeanwhile() {
    ProgramFixture program;
    WriteAll(program.home.LogFile(), "Pil\xc3\xb6t one\r\nold J\xe9r\xf4me\r\n");
    program.Start();
    QCOMPARE(program.LogText(), QStringLiteral("Pilöt one\nold Jérôme"));
    QVERIFY(AppendMainLogLines(LocalPath(program.home.LogFile()), {"from the command line"}).ok);
    program.Form1().mainLog().AppendLine(QStringLiteral("Ace - Score: 100"));
    Click(program.Form1(), "SaveButton");
    QCOMPARE(
        ReadAll(program.home.LogFile()),
        QByteArray("Pil\xc3\xb6t one\r\nold J\xe9r\xf4me\r\nfrom the command line\r\nAce - Score: 100\r\n"));
    QCOMPARE(Lines(program.LogText()).mid(2), (QStringList{"from the command line", "Ace - Score: 100"}));
    QVERIFY(!program.LogModified());
  }

  // A pilot file named as the log is refused at start-up and at a save; it and the setting stay.
  void pilotFileAsTheLogIsRefused() {
    ProgramFixture program;
    const QString pilot = program.home.File(QStringLiteral("Red.plt"));
    WriteAll(pilot, "not loaded as a log");
    program.SetSetting("LogFile", pilot.toStdString());
    program.Start();
    const QString refusal = QStringLiteral("Cannot use ") + QDir::toNativeSeparators(pilot) +
                            QStringLiteral(" as the log: it is a pilot file");
    QCOMPARE(program.prompts.standardErrors, QStringList{refusal});
    program.Form1().mainLog().AppendLine(QStringLiteral("line"));
    Click(program.Form1(), "SaveButton");
    QCOMPARE(program.prompts.standardErrors, (QStringList{refusal, refusal}));
    QCOMPARE(ReadAll(pilot), QByteArray("not loaded as a log"));
    QCOMPARE(program.Setting("LogFile"), std::optional<std::string>(pilot.toStdString()));
  }

  void failedSaveReportsAndKeepsTheLogModified() {
    ProgramFixture program;
    const QString unreachable = program.home.File(QStringLiteral("missing-folder/log.txt"));
    program.SetSetting("LogFile", unreachable.toStdString());
    program.Start();
    program.Form1().mainLog().AppendLine(QStringLiteral("line"));
    Click(program.Form1(), "SaveButton");
    QCOMPARE(program.prompts.standardErrors,
             QStringList{QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(unreachable) +
                         QStringLiteral(" (") + MissingFolderReason() + QStringLiteral(")")});
    QVERIFY(program.LogModified());
    QCOMPARE(program.LogText(), QStringLiteral("line"));

    // "Save log and Exit" stops at the failed write: the window stays.
    program.Form1().show();
    Click(program.Form1(), "SaveAndExitButton");
    QVERIFY(program.Form1().isVisible());
    QVERIFY(program.LogModified());
  }

  void saveAsWritesTheChosenFileAndLeavesTheSetting() {
    ProgramFixture program;
    program.Start();
    program.Form1().mainLog().AppendLine(QStringLiteral("line"));
    program.prompts.ChooseNextFile(std::nullopt);
    Click(program.Form1(), "SaveAsButton");
    QVERIFY(program.LogModified());
    QCOMPARE(program.prompts.fileDialogs.at(0).state.fileName, program.home.LogFile());

    const QString other = program.home.File(QStringLiteral("other.txt"));
    program.prompts.ChooseNextFile(other);
    Click(program.Form1(), "SaveAsButton");
    QCOMPARE(ReadAll(other), QByteArray("line\r\n"));
    QVERIFY(!program.LogModified());
    QVERIFY(!QFile::exists(program.home.LogFile()));
    QCOMPARE(program.Setting("LogFile"), std::nullopt);
  }

  // The end of the desktop session asks what closing the window asks, and the window stays meanwhile;
  // a save that fails holds the session open.
  void sessionEndAsksTheClosingQuestion() {
    ProgramFixture program;
    program.Start();
    program.Form1().show();
    program.Form1().mainLog().AppendLine(QStringLiteral("unsaved line"));
    program.prompts.AnswerNext(MessageAnswer::Yes);
    program.prompts.ChooseNextFile(program.home.File(QStringLiteral("no-folder/saved.txt")));
    QVERIFY(!AnswerSessionEnd(program.Form1()));
    const QString target = program.home.File(QStringLiteral("saved.txt"));
    program.prompts.AnswerNext(MessageAnswer::Yes);
    program.prompts.ChooseNextFile(target);
    QVERIFY(AnswerSessionEnd(program.Form1()));
    QCOMPARE(ReadAll(target), QByteArray("unsaved line\r\n"));
    QCOMPARE(program.prompts.MessageTexts().count(
                 QStringLiteral("Changes made to the log. Do you want to save changes?")),
             2);
    QVERIFY(program.Form1().isVisible());
  }

  void saveAndExitSavesAndClosesWithoutAQuestion() {
    ProgramFixture program;
    program.Start();
    program.Form1().show();
    program.Form1().mainLog().AppendLine(QStringLiteral("line"));
    Click(program.Form1(), "SaveAndExitButton");
    QVERIFY(!program.Form1().isVisible());
    QCOMPARE(ReadAll(program.home.LogFile()), QByteArray("line\r\n"));
    QVERIFY(program.prompts.MessageTexts().isEmpty());
  }

  void clearTextAsksAndAnsweredNoChangesNothing() {
    ProgramFixture program;
    WriteAll(program.home.LogFile(), "kept\r\n");
    program.Start();
    program.prompts.AnswerNext(MessageAnswer::No);
    Click(program.Form1(), "ClearButton");
    QCOMPARE(program.LogText(), QStringLiteral("kept"));
    QVERIFY(!program.LogModified());
    QCOMPARE(program.prompts.messages.at(0).kind, MessageKind::Confirmation);
    QCOMPARE(program.prompts.messages.at(0).text, QStringLiteral("Clear text window?"));

    program.prompts.AnswerNext(MessageAnswer::Yes);
    Click(program.Form1(), "ClearButton");
    QCOMPARE(program.LogText(), QString());
    QVERIFY(program.LogModified());
  }

  void settingsAndAboutButtonsShowTheirDialogs() {
    ProgramFixture program;
    program.Start();
    program.Form1().show();
    QString shown;
    WhenModalShown([&shown](QWidget& dialog) {
      shown = dialog.objectName();
      Click(dialog, "CancelBtn");
    });
    Click(program.Form1(), "Button1");
    QCOMPARE(shown, QStringLiteral("SettingsDlg"));
    WhenModalShown([&shown](QWidget& dialog) {
      shown = dialog.objectName();
      Click(dialog, "OKButton");
    });
    Click(program.Form1(), "AboutButton");
    QCOMPARE(shown, QStringLiteral("AboutBox"));
  }

  // The real boxes of the desktop program: the text as it stands, over the window it belongs to.
  void realBoxesShowTheirTextLiterallyOverTheirWindow() {
    QWidget window;
    QWidget* child = new QWidget(&window);
    window.show();
    QtPrompts prompts(QStringLiteral("title"));
    const QString text = QStringLiteral("Ready to update <b>Red & Two<b>.plt. Is it ok to proceed?");
    int shown = 0;
    const auto check = [&](QWidget& modal) {
      auto& box = static_cast<QMessageBox&>(modal);
      QCOMPARE(box.textFormat(), Qt::PlainText);
      QCOMPARE(box.text(), text);
      QCOMPARE(box.parentWidget(), &window);
      ++shown;
      box.done(QMessageBox::No);
    };
    WhenModalShown(check);
    QCOMPARE(prompts.ShowMessage(child, MessageKind::Information, MessageButtons::YesNo, text),
             MessageAnswer::No);
    WhenModalShown(check);
    prompts.ShowStandardError(child, text);
    QCOMPARE(shown, 2);
  }

  // The real open dialog of the desktop program, not the scripted one: ".PLT" files are listed too,
  // and the detail view's columns are wide enough for what they show.
  void openDialogListsPilotFilesInAnyLetterCase() {
    TestHome home;
    for (const char* name : {"lower.plt", "UPPER.PLT", "notes.txt"})
      WriteAll(home.File(QString::fromLatin1(name)), "x");
    QtPrompts prompts(QStringLiteral("title"));
    FileDialogState open;
    open.filters = {QStringLiteral("XWA Pilotfiles (*.plt)"), QStringLiteral("All files (*)")};
    open.initialDir = home.WorkingFolder();
    QStringList listed;
    WhenModalShown([&listed](QWidget& dialog) {
      auto* files = Find<QListView>(dialog, "listView");
      QTRY_COMPARE(files->model()->rowCount(files->rootIndex()), 2);
      for (int row = 0; row < 2; ++row)
        listed.append(files->model()->index(row, 0, files->rootIndex()).data().toString());
      auto* details = Find<QTreeView>(dialog, "treeView");
      for (int column = 1; column < details->header()->count(); ++column) {
        QTRY_VERIFY(details->header()->sectionSize(column) >=
                    static_cast<QAbstractItemView*>(details)->sizeHintForColumn(column));
      }
      dialog.close();
    });
    QVERIFY(!prompts.ExecuteOpenDialog(nullptr, open));
    listed.sort(Qt::CaseInsensitive);
    QCOMPARE(listed, (QStringList{QStringLiteral("lower.plt"), QStringLiteral("UPPER.PLT")}));
  }

  void exitQuestionsInEveryBranch();
};

namespace {

struct ExitCase {
  const char* name;
  bool modified;
  const char* saveLogFile;  // nullptr: key absent
  std::vector<MessageAnswer> answers;
  std::vector<std::optional<QString>> files;  // "LOG" stands for a file in the working folder
  QStringList expectedQuestions;
  bool expectSaved;
  bool expectClosed;
};

const QString kSave = QStringLiteral("Changes made to the log. Do you want to save changes?");
const QString kCancel = QStringLiteral("Cancel save. Are you sure?");

}  // namespace

void MainWindowTest::exitQuestionsInEveryBranch() {
  const QString log = QStringLiteral("LOG");
  const ExitCase cases[] = {
      {"unmodified", false, nullptr, {}, {}, {}, false, true},
      {"SaveLogFile off drops the changes", true, "0", {}, {}, {}, false, true},
      {"Yes, then the dialog", true, nullptr, {MessageAnswer::Yes}, {log}, {kSave}, true, true},
      {"Yes, dialog cancelled, then sure",
       true,
       "1",
       {MessageAnswer::Yes, MessageAnswer::Yes},
       {std::nullopt},
       {kSave, kCancel},
       false,
       true},
      {"No, then sure",
       true,
       nullptr,
       {MessageAnswer::No, MessageAnswer::Yes},
       {},
       {kSave, kCancel},
       false,
       true},
      {"No, not sure, saved as",
       true,
       nullptr,
       {MessageAnswer::No, MessageAnswer::No},
       {log},
       {kSave, kCancel},
       true,
       true},
      {"No, not sure, save as cancelled",
       true,
       nullptr,
       {MessageAnswer::No, MessageAnswer::No},
       {std::nullopt},
       {kSave, kCancel},
       false,
       true},
      {"Yes, the write fails: the program stays",
       true,
       nullptr,
       {MessageAnswer::Yes},
       {QStringLiteral("BAD")},
       {kSave, QStringLiteral("Cannot create file BAD (No such file or directory)")},
       false,
       false},
  };
  for (const ExitCase& exit : cases) {
    ProgramFixture program;
    if (exit.saveLogFile != nullptr) program.SetSetting("SaveLogFile", exit.saveLogFile);
    program.Start();
    program.Form1().show();
    const QString target = program.home.File(QStringLiteral("saved.txt"));
    const QString bad = program.home.File(QStringLiteral("no-folder/saved.txt"));
    if (exit.modified) program.Form1().mainLog().AppendLine(QStringLiteral("unsaved line"));
    for (MessageAnswer answer : exit.answers) program.prompts.AnswerNext(answer);
    for (const auto& file : exit.files) {
      program.prompts.ChooseNextFile(file == log ? std::optional(target)
                                     : file      ? std::optional(bad)
                                                 : std::nullopt);
    }
    Click(program.Form1(), "ExitButton");

    QStringList expected = exit.expectedQuestions;
    expected.replaceInStrings(QStringLiteral("BAD"), QDir::toNativeSeparators(bad));
    expected.replaceInStrings(QStringLiteral("No such file or directory"), MissingFolderReason());
    QVERIFY2(program.prompts.MessageTexts() == expected, exit.name);
    QVERIFY2(program.prompts.queuedLeft() == 0 && program.prompts.unscripted == 0, exit.name);
    QVERIFY2(QFile::exists(target) == exit.expectSaved, exit.name);
    if (exit.expectSaved) QVERIFY2(ReadAll(target) == "unsaved line\r\n", exit.name);
    QVERIFY2(program.Form1().isVisible() == !exit.expectClosed, exit.name);
    for (const ShownMessage& shown : program.prompts.messages) {
      const MessageKind kind = shown.text == kSave ? MessageKind::Information : MessageKind::Warning;
      QVERIFY2(shown.kind == kind && shown.buttons == MessageButtons::YesNo, exit.name);
    }
    for (const ShownFileDialog& dialog : program.prompts.fileDialogs) {
      QVERIFY2(dialog.save && dialog.state.fileName == program.home.LogFile(), exit.name);
    }
  }
}

ORLENDA_WINDOW_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
