#include "ui/pilot_view/plt_file.h"

#include <QFont>
#include <algorithm>
#include <initializer_list>
#include <limits>
#include <tuple>

#include "base/windows1252.h"
#include "pilot/campaign_move.h"
#include "pilot/details_changes.h"
#include "pilot/enumerations.h"
#include "pilot/pilot_load.h"
#include "pilot/pilot_update.h"
#include "report/locale_report_context.h"
#include "report/rip_pilot.h"
#include "roster/career.h"
#include "ui/charts/career_chart.h"
#include "ui/history/history_keeping.h"
#include "ui/history/history_window.h"
#include "ui/history/lost_career_prompt.h"
#include "ui/pilot_view/combo_choice.h"
#include "ui/pilot_view/combo_width.h"
#include "ui/pilot_view/memo_text_sink.h"
#include "ui/shell/compact_font.h"
#include "ui/shell/lock_wait_prompt.h"
#include "ui/shell/prompts.h"
#include "ui/shell/run_handler.h"
#include "ui/shell/session.h"
#include "ui_plt_file.h"

namespace orlenda {

namespace {

// The game keeps a terminating zero byte after names it writes, so at most 12 characters are typed;
// a 13-character name that a file already holds is shown whole.
constexpr int kTypedNameLength = static_cast<int>(kLongestNewPilotName);
constexpr int kSmallFontPoints = 7;

QFont SmallArial() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(kSmallFontPoints);
  return font;
}

QString QtText(const std::string& text) { return QString::fromStdString(text); }

// Return must not save a move that costs the pilot scores: the question's safe answer is its default.
DefaultButton DefaultFor(const DetailsChanges& changes) {
  return changes.LosesScores() ? DefaultButton::Safe : DefaultButton::Usual;
}

}  // namespace

TPltFileView::TPltFileView(Session& session, QWidget* parent, ContextSource context)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TPltFileView>()),
      session_(session),
      context_(context ? std::move(context) : ContextSource(ReportContextFromLocale)) {
  UseCompactFont(*this);  // before the controls exist, so that they are created with it
  ui_->setupUi(this);
  setFixedSize(size());
  PrepareReportWindow(*ui_->Memo1);  // the rest waits for the first load or showing (PrepareControls)
  sink_ = std::make_unique<MemoTextSink>(*ui_->Memo1);
  for (QSpinBox* edit : {ui_->GetFromEdit, ui_->GetToEdit}) {
    edit->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    edit->setValue(0);
  }
  ui_->RankBox->setMaxVisibleItems(static_cast<int>(RankNames().size()));
  ConnectHandlers();
}

TPltFileView::~TPltFileView() = default;

void TPltFileView::FillLists() {
  const std::pair<QComboBox*, QStringList> boxes[] = {
      {ui_->ActiveMissionBox, ItemTexts(MissionIndexNames())},
      {ui_->RankBox, ItemTexts(RankNames())},
      {ui_->RatingBox, ItemTexts(RatingNames())},
      {ui_->KalidorBox, ItemTexts(KalidorStatusNames())},
  };
  const QString textsBeforeFirstLoad[] = {QStringLiteral("ActiveMissionBox"), QStringLiteral("Rank"),
                                          QStringLiteral("Rating"),
                                          QStringLiteral("Kalidor Crescent status")};
  for (std::size_t i = 0; i < std::size(boxes); ++i) {
    boxes[i].first->addItems(boxes[i].second);
    boxes[i].first->setCurrentIndex(-1);
    boxes[i].first->setEditText(textsBeforeFirstLoad[i]);
    ShowCutTextInToolTip(*boxes[i].first);
  }
  ui_->ShipTypes->addItems(ItemTexts(CraftTypeLabels()));
}

void TPltFileView::ConnectHandlers() {
  const auto connectClick = [this](QPushButton* button, void (TPltFileView::*handler)()) {
    connect(button, &QPushButton::clicked, this, [this, handler] {
      RunHandler(session_.prompts(), this, [this, handler] { (this->*handler)(); });
    });
  };
  connectClick(ui_->Button1, &TPltFileView::Button1Click);
  connectClick(ui_->Button2, &TPltFileView::Button2Click);
  connectClick(ui_->Button3, &TPltFileView::Button3Click);
  connectClick(ui_->Button4, &TPltFileView::Button4Click);
  connectClick(ui_->GetAllButton, &TPltFileView::GetAllButtonClick);
  connectClick(ui_->TXTList, &TPltFileView::TXTListClick);
  connectClick(ui_->ZeroButton, &TPltFileView::ZeroButtonClick);
  connectClick(ui_->SetLastButton, &TPltFileView::SetLastButtonClick);
  connectClick(ui_->ChartButton, &TPltFileView::ChartButtonClick);
  connectClick(ui_->HistoryButton, &TPltFileView::HistoryButtonClick);
  connect(ui_->PilotNameEdit, &QLineEdit::textEdited, this, &TPltFileView::PilotNameEditEdited);
}

int TPltFileView::ReadMission(const std::string& path) {
  PrepareControls();
  setWindowTitle(DisplayPath(path));
  LoadResult result = LoadPilotFile(path);
  // A career that went back since the history last saw it is said at once; a restore is loaded anew.
  if (result.Succeeded() &&
      OfferLostCareerRestore(session_, session_.BoxOwner(this), path, result.record, backups_))
    result = LoadPilotFile(path);
  if (!result.Succeeded()) {
    QWidget* owner = session_.BoxOwner(this);  // the view is not on screen before a load
    // The player may have dropped or chosen several files: each box names the one that failed.
    for (const std::string& message : result.messages) {
      session_.prompts().ShowMessage(owner, MessageKind::Error, MessageButtons::Ok,
                                     DisplayMessage(message) + QStringLiteral("\n\n") + DisplayPath(path));
    }
    hide();
    return result.errorCount;
  }
  record_ = std::move(result.record);
  KeepPilotState(session_, session_.BoxOwner(this), path, record_, result.modifiedTime, StateKind::kOpened);
  FillControls();
  RipPilotIntoTextWindow();
  return 0;
}

int TPltFileView::ShowKeptState(std::vector<std::uint8_t> bytes, const std::string& path, int number) {
  PrepareControls();
  const auto size = static_cast<std::int64_t>(bytes.size());
  LoadResult result = LoadPilotBytes(std::move(bytes), size, path);
  if (!result.Succeeded()) return result.errorCount;
  record_ = std::move(result.record);
  setWindowTitle(DisplayPath(path) + QStringLiteral(" (state %1, read only)").arg(number));
  FillControls();
  RipPilotIntoTextWindow();
  // Nothing of a kept state is saved, exported to the log or kept again.
  for (QWidget* control : std::initializer_list<QWidget*>{ui_->PilotNameEdit, ui_->ActiveMissionBox,
                                                          ui_->RankBox, ui_->RatingBox, ui_->KalidorBox,
                                                          ui_->Button2, ui_->HistoryButton, ui_->Button1})
    control->setEnabled(false);
  return 0;
}

void TPltFileView::FillControls() {
  ShowPilotName(QtText(DecodeWindows1252(FieldText(record_.PilotName))));
  ChooseItemOrNone(*ui_->RankBox, record_.Rank);
  ChooseItemOrNone(*ui_->RatingBox, record_.Rating);
  ChooseItemOrNone(*ui_->KalidorBox, record_.KalidorStatus);
  ChooseItemOrNone(*ui_->ActiveMissionBox, record_.CampaignMissionCount);
  // A file whose campaign holds records past the end of its list says how far the active mission
  // may move; the save refuses a move further (CheckPilotDetails).
  ui_->ActiveMissionBox->setToolTip(QtText(ActiveMissionLimitNote(record_).value_or("")));
  ui_->GetToEdit->setValue(record_.CampaignMissionCount);
  if (chart_ != nullptr && chart_->isVisible()) chart_->ShowCareers({CareerOf(record_, session_.settings())});
}

void TPltFileView::ShowPilotName(const QString& name) {
  ui_->PilotNameEdit->setMaxLength(std::max(kTypedNameLength, static_cast<int>(name.size())));
  ui_->PilotNameEdit->setText(name);
}

// Once a long loaded name has been shortened to what can be typed, the usual limit applies again.
void TPltFileView::PilotNameEditEdited(const QString& text) {
  if (text.size() <= kTypedNameLength) ui_->PilotNameEdit->setMaxLength(kTypedNameLength);
}

QString TPltFileView::ExportText() const { return ui_->ExportEdit->text(); }

MissionRange TPltFileView::Range() const { return {ui_->GetFromEdit->value(), ui_->GetToEdit->value()}; }

void TPltFileView::ShowRange(const MissionRange& range) {
  ui_->GetFromEdit->setValue(range.From);
  ui_->GetToEdit->setValue(range.To);
}

// The drop-down boxes become editable and get their lists and first texts, and the text window and
// the mission box their small font, when the view is first loaded or shown rather than at the
// program's start: each editable box builds an edit field, a completer and a list view, and each font
// change lays out text and loads the font, together several milliseconds for a view that may never be
// opened. The player only ever sees the view after a load, which sets the boxes' texts again.
void TPltFileView::PrepareControls() {
  if (controlsPrepared_) return;
  SetReportFont(*ui_->Memo1, SmallArial());
  ui_->ActiveMissionBox->setFont(SmallArial());  // before its edit field exists, which takes it over
  for (QComboBox* box : {ui_->ActiveMissionBox, ui_->RankBox, ui_->RatingBox, ui_->KalidorBox})
    box->setEditable(true);
  FillLists();
  WidenPilotDetails(WidthLackingForLongestItem(*ui_->KalidorBox));
  controlsPrepared_ = true;
}

// The Kalidor Crescent box shows every status whole: the pilot details' fields grow by what it lacks,
// and whatever stands right of them moves over, the view growing with them.
void TPltFileView::WidenPilotDetails(int extra) {
  if (extra <= 0) return;
  QGroupBox& group = *ui_->PilotDetailsGroup;
  const int groupRight = group.geometry().right();
  const int fieldWidth = ui_->KalidorBox->width();
  for (QWidget* field : group.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (field->width() == fieldWidth) field->resize(field->width() + extra, field->height());
  }
  for (QWidget* widget : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    const QRect place = widget->geometry();
    if (place.left() > groupRight) {
      widget->move(place.x() + extra, place.y());
    } else if (place.right() >= groupRight) {
      widget->resize(place.width() + extra, place.height());  // the group itself, and what spans past it
    }
  }
  setFixedSize(width() + extra, height());
}

void TPltFileView::RipPilotIntoTextWindow() {
  MissionRange range = Range();
  std::string exportLine = ui_->ExportEdit->text().toStdString();
  try {
    RipPilot(record_, session_.settings(), context_(), range, *sink_, exportLine);
  } catch (...) {
    ShowRange(range);
    throw;
  }
  ShowRange(range);
  ui_->ExportEdit->setText(QtText(exportLine));
  ui_->Memo1->moveCursor(QTextCursor::Start);  // the summary at the report's top is what the player reads
}

// Measuring every item of the lists takes a few milliseconds, so it waits for the first showing
// instead of slowing the program's start.
void TPltFileView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PrepareControls();
  ui_->PilotNameEdit->setFocus(Qt::OtherFocusReason);  // the detail players change most
  if (listsFitted_) return;
  for (QComboBox* box : {ui_->ActiveMissionBox, ui_->RankBox, ui_->RatingBox, ui_->KalidorBox})
    FitListToLongestItem(*box);
  listsFitted_ = true;
}

void TPltFileView::Button1Click() { accept(); }

void TPltFileView::Button2Click() { SaveDetails(true); }

// Saves the chosen details into the loaded file, after the question when `askFirst`. True when the
// file then holds them (also when nothing needed saving). A file that another program changed since
// it was loaded is refused before the question, whose change list would describe a stale file.
bool TPltFileView::SaveDetails(bool askFirst) {
  Prompts& prompts = session_.prompts();
  const auto refuse = [&](const std::string& message) {
    prompts.ShowMessage(this, MessageKind::Error, MessageButtons::Ok, DisplayMessage(message));
    return false;
  };
  PrepareControls();
  PilotDetails details;
  if (auto refusal = ReadChosenDetails(details)) return refuse(*refusal);
  if (auto refusal = CheckPilotDetails(details, record_)) return refuse(*refusal);
  const DetailsChanges changes = PlanChanges(details, record_);
  if (changes.Empty()) {
    if (askFirst)
      prompts.ShowMessage(this, MessageKind::Information, MessageButtons::Ok, QtText(kNothingToUpdate));
    return true;
  }
  if (auto changed = ChangedSinceLoaded(record_.PilotFileName, record_)) return refuse(*changed);
  if (askFirst && prompts.ShowMessage(this, MessageKind::Information, MessageButtons::YesNo,
                                      UpdateQuestion(changes), DefaultFor(changes)) != MessageAnswer::Yes) {
    return false;
  }
  KeepPilotState(session_, this, record_.PilotFileName, record_, std::nullopt, StateKind::kBeforeSave);
  const UpdateResult result =
      UpdatePilotFile(record_.PilotFileName, details, record_, backups_, LockWaitPrompt(this).Wait());
  if (!result.succeeded) return refuse(result.message);
  // Told first, so that a setting that fails while the report is rebuilt cannot hide the success.
  prompts.ShowMessage(this, MessageKind::Information, MessageButtons::Ok, QStringLiteral("Update complete."));
  if (!result.warning.empty())
    prompts.ShowMessage(this, MessageKind::Warning, MessageButtons::Ok, QtText(result.warning));
  ShowSavedFile();
  KeepPilotState(session_, this, record_.PilotFileName, record_, std::nullopt, StateKind::kAfterSave);
  return true;
}

// After a save the view describes the file as written: the record, the controls, the report and the
// export line are rebuilt from the bytes written, as a new load of the file would build them.
void TPltFileView::ShowSavedFile() {
  std::vector<std::uint8_t> bytes = record_.BytesOnDisk;
  const auto size = static_cast<std::int64_t>(bytes.size());
  LoadResult saved = LoadPilotBytes(std::move(bytes), size, record_.PilotFileName);
  if (!saved.Succeeded()) return;
  record_ = std::move(saved.record);
  FillControls();
  RipPilotIntoTextWindow();
}

QString TPltFileView::FileNameText() const { return DisplayPath(record_.PilotFileName); }

// Whether the boxes hold details that differ from what the file holds, or that cannot be saved.
bool TPltFileView::DetailsEdited() const {
  if (record_.BytesOnDisk.empty() || !controlsPrepared_) return false;
  PilotDetails details;
  if (ReadChosenDetails(details) || CheckPilotDetails(details, record_)) return true;
  return !PlanChanges(details, record_).Empty();
}

bool TPltFileView::MayClose() {
  if (!DetailsEdited()) return true;
  PilotDetails details;
  QString question = QStringLiteral("The pilot details of ") + FileNameText() +
                     QStringLiteral(" have been changed but not saved. Save them before closing?");
  DefaultButton defaultButton = DefaultButton::Usual;
  if (!ReadChosenDetails(details) && !CheckPilotDetails(details, record_)) {
    const DetailsChanges changes = PlanChanges(details, record_);
    defaultButton = DefaultFor(changes);
    question += QStringLiteral("\n");
    for (const std::string& line : DescribeChanges(changes, record_))
      question += QStringLiteral("\n") + QtText(line);
  }
  switch (session_.prompts().ShowMessage(this, MessageKind::Warning, MessageButtons::SaveDiscardCancel,
                                         question, defaultButton)) {
    case MessageAnswer::Save:
      return SaveDetails(false);
    case MessageAnswer::Discard:
      return true;
    default:
      return false;
  }
}

void TPltFileView::done(int result) {
  bool mayClose = false;
  RunHandler(session_.prompts(), this, [this, &mayClose] { mayClose = MayClose(); });
  if (mayClose) QDialog::done(result);
}

// The question before a save, with a line under it for each value that will change.
QString TPltFileView::UpdateQuestion(const DetailsChanges& changes) const {
  QString question =
      QStringLiteral("Ready to update ") + FileNameText() + QStringLiteral(". Is it ok to proceed?\n");
  for (const std::string& line : DescribeChanges(changes, record_))
    question += QStringLiteral("\n") + QtText(line);
  return question;
}

// What the boxes hold. A blank box leaves its value as it is; text that names none of the box's
// items is refused, so that a typing slip is never taken for "no change".
std::optional<std::string> TPltFileView::ReadChosenDetails(PilotDetails& details) const {
  details.name = ui_->PilotNameEdit->text().toStdString();
  const std::tuple<const QComboBox*, std::optional<int> PilotDetails::*, const char*> boxes[] = {
      {ui_->RankBox, &PilotDetails::rank, "rank"},
      {ui_->RatingBox, &PilotDetails::rating, "rating"},
      {ui_->KalidorBox, &PilotDetails::kalidorStatus, "Kalidor Crescent status"},
      {ui_->ActiveMissionBox, &PilotDetails::activeMission, "active mission"},
  };
  for (const auto& [box, value, name] : boxes) {
    details.*value = ChosenItem(*box);
    if (!(details.*value) && !box->currentText().trimmed().isEmpty())
      return UnknownItemMessage(name, box->currentText().toStdString());
  }
  return std::nullopt;
}

void TPltFileView::Button3Click() {
  if (session_.prompts().ShowMessage(this, MessageKind::Information, MessageButtons::YesNo,
                                     QStringLiteral("Clear text?")) == MessageAnswer::Yes) {
    ui_->Memo1->clear();
  }
}

void TPltFileView::Button4Click() {
  if (session_.windows.SettingsDlg != nullptr) session_.windows.SettingsDlg->exec();
}

void TPltFileView::GetAllButtonClick() { RipPilotIntoTextWindow(); }

void TPltFileView::TXTListClick() {
  MissionRange range = Range();
  try {
    RipScore(record_, session_.settings(), range, *sink_);
  } catch (...) {
    ShowRange(range);
    throw;
  }
  ShowRange(range);
}

void TPltFileView::ZeroButtonClick() { ui_->GetFromEdit->setValue(0); }

void TPltFileView::SetLastButtonClick() { ui_->GetToEdit->setValue(record_.CampaignMissionCount); }

void TPltFileView::ChartButtonClick() {
  if (chart_ == nullptr) {
    chart_ = new TCareerChart(session_, this);
    connect(this, &QDialog::finished, chart_, &QWidget::close);  // the chart shows this view's pilot
  }
  chart_->ShowCareers({CareerOf(record_, session_.settings())});
  chart_->Present();
}

// The window follows the file this view shows; a restore made there is loaded here at once.
void TPltFileView::HistoryButtonClick() {
  const std::string path = record_.PilotFileName;
  if (history_ == nullptr || history_->pilotPath() != path) {
    delete history_;
    history_ = new THistoryWindow(session_, path, backups_, this, [this, path] { ReadMission(path); });
    history_->openState = [this, path](std::vector<std::uint8_t> bytes, int number) {
      auto* view = new TPltFileView(session_, history_, context_);
      view->setAttribute(Qt::WA_DeleteOnClose);
      if (view->ShowKeptState(std::move(bytes), path, number) != 0) return view->deleteLater();
      view->show();
    };
    connect(this, &QDialog::finished, history_, &QWidget::close);
  }
  history_->Present();
}

}  // namespace orlenda
