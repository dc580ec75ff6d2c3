#include "ui/history/history_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <sstream>

#include "history/change_line.h"
#include "history/state_export.h"
#include "history/state_restore.h"
#include "pilot/pilot_diff.h"
#include "report/diff_text.h"
#include "report/pilot_comparison.h"
#include "ui/history/history_keeping.h"
#include "ui/history/history_timeline.h"
#include "ui/history/states_table_model.h"
#include "ui/shell/lock_wait_prompt.h"
#include "ui/shell/prompts.h"
#include "ui/shell/session.h"

namespace orlenda {
namespace {

constexpr int kMeasuredRows = 100;  // rows measured for a column's width

QString QtText(const std::string& text) { return QString::fromStdString(text); }

QPushButton* AddButton(QHBoxLayout& row, const char* name, const QString& text) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  row.addWidget(button);
  return button;
}

// What the restore changes, and the scores it drops; Cancel is the default when it drops any.
std::pair<QString, DefaultButton> RestoreQuestion(const KeptState& state, const StateSummary& now) {
  const std::string question =
      "Restore state " + std::to_string(state.number) + "?\n\n" + ChangeLine(&now, state.summary);
  const std::string dropped = DroppedScoresLine(now, state.summary);
  if (dropped.empty()) return {QtText(question), DefaultButton::Usual};
  return {QtText(question + "\n\n" + dropped), DefaultButton::Safe};
}

}  // namespace

THistoryWindow::THistoryWindow(Session& session, std::string pilotPath, PilotBackups& backups,
                               QWidget* parent, std::function<void()> restored)
    : QWidget(parent, Qt::Window),
      session_(session),
      path_(std::move(pilotPath)),
      backups_(backups),
      restored_(std::move(restored)) {
  setObjectName(QStringLiteral("HistoryWindow"));
  setWindowTitle(QStringLiteral("History: ") + DisplayPath(path_));
  BuildControls();
  resize(760, 560);
}

void THistoryWindow::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  timeline_ = new HistoryTimeline(this);
  timeline_->setObjectName(QStringLiteral("Timeline"));
  timeline_->pointChosen = [this](std::size_t index) { table_->selectRow(static_cast<int>(index)); };
  model_ = new StatesTableModel(this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("StatesTable"));
  table_->setModel(model_);
  // Columns as wide as the texts of their first rows: measuring every row of a long history would
  // take longer than the rest of the opening.
  table_->horizontalHeader()->setResizeContentsPrecision(kMeasuredRows);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->setVisible(true);
  connect(
      table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
      [this](const QModelIndex& current) {
        timeline_->Highlight(current.isValid() ? std::optional<std::size_t>(current.row()) : std::nullopt);
      });
  auto* buttons = new QHBoxLayout;
  connect(AddButton(*buttons, "OpenButton", QStringLiteral("Open")), &QPushButton::clicked, this,
          &THistoryWindow::OpenButtonClick);
  connect(AddButton(*buttons, "CompareButton", QStringLiteral("Compare")), &QPushButton::clicked, this,
          &THistoryWindow::CompareButtonClick);
  connect(AddButton(*buttons, "RestoreButton", QStringLiteral("Restore\u2026")), &QPushButton::clicked, this,
          &THistoryWindow::RestoreButtonClick);
  connect(AddButton(*buttons, "ExportButton", QStringLiteral("Export\u2026")), &QPushButton::clicked, this,
          &THistoryWindow::ExportButtonClick);
  buttons->addStretch();
  compareText_ = new QPlainTextEdit(this);
  compareText_->setObjectName(QStringLiteral("CompareText"));
  compareText_->setReadOnly(true);
  layout->addWidget(timeline_, 2);
  layout->addWidget(table_, 3);
  layout->addLayout(buttons);
  layout->addWidget(compareText_, 2);
}

// The table's model refers to states_, which is gone before QWidget's destructor hides the children,
// when the table's header still asks the model for its texts: the table lets go of the model first.
THistoryWindow::~THistoryWindow() {
  if (table_ != nullptr) table_->setModel(nullptr);
}

void THistoryWindow::Present() {
  Refresh();
  show();
  raise();
  activateWindow();
}

void THistoryWindow::Refresh() {
  {
    DesktopHistory history(session_, this);
    states_ = history.store().States(path_);
  }
  FillTable();
  timeline_->SetStates(states_);
}

void THistoryWindow::FillTable() {
  model_->SetStates(states_);
  table_->resizeColumnsToContents();
}

std::vector<const KeptState*> THistoryWindow::ChosenStates() const {
  std::vector<const KeptState*> chosen;
  for (const QModelIndex& row : table_->selectionModel()->selectedRows())
    if (row.row() >= 0 && static_cast<std::size_t>(row.row()) < states_.size())
      chosen.push_back(&states_[static_cast<std::size_t>(row.row())]);
  std::sort(chosen.begin(), chosen.end(),
            [](const KeptState* a, const KeptState* b) { return a->number < b->number; });
  return chosen;
}

const KeptState* THistoryWindow::OneChosenState() {
  const std::vector<const KeptState*> chosen = ChosenStates();
  if (chosen.size() == 1) return chosen.front();
  Tell("Choose one state in the table.");
  return nullptr;
}

std::optional<LoadResult> THistoryWindow::StateLoaded(const KeptState& state) {
  std::optional<std::vector<std::uint8_t>> bytes;
  {
    DesktopHistory history(session_, this);
    bytes = history.store().StateBytes(state.hash);
  }
  if (!bytes) {
    Tell("The history does not hold state " + std::to_string(state.number) + " whole.");
    return std::nullopt;
  }
  const auto size = static_cast<std::int64_t>(bytes->size());
  LoadResult loaded = LoadPilotBytes(std::move(*bytes), size, path_);
  if (loaded.Succeeded()) return loaded;
  for (const std::string& message : loaded.messages) Tell(message);
  return std::nullopt;
}

// The pilot file as it is now, loaded whole; nothing, with the reason told, when it is not.
std::optional<LoadResult> THistoryWindow::FileNow() {
  LoadResult now = LoadPilotFile(path_);
  if (now.Succeeded() && now.record.BytesOnDisk.size() == kPilotFileSize) return now;
  for (const std::string& message : now.messages) Tell(message);
  if (now.Succeeded()) Tell("Only a whole pilot file is restored or compared in place.");
  return std::nullopt;
}

void THistoryWindow::OpenButtonClick() {
  const KeptState* state = OneChosenState();
  if (state == nullptr || !openState) return;
  if (auto chosen = StateLoaded(*state)) openState(std::move(chosen->record.BytesOnDisk), state->number);
}

void THistoryWindow::CompareButtonClick() {
  const std::vector<const KeptState*> chosen = ChosenStates();
  if (chosen.empty() || chosen.size() > 2)
    return Tell("Choose two states, or one to compare with the file now.");
  const auto older = StateLoaded(*chosen.front());
  const auto newer = chosen.size() == 2 ? StateLoaded(*chosen.back()) : FileNow();
  if (!older || !newer) return;
  const PilotDiff diff =
      ComparePilots({older->record, older->record.BytesOnDisk}, {newer->record, newer->record.BytesOnDisk});
  std::ostringstream text;
  text << ChangeLine(&chosen.front()->summary, SummaryOf(newer->record)) << "\n\n";
  WriteDiffText(diff, text);
  compareText_->setPlainText(QtText(text.str()));
}

void THistoryWindow::RestoreButtonClick() {
  const KeptState* state = OneChosenState();
  if (state == nullptr) return;
  auto now = FileNow();
  if (!now) return;
  const auto [question, defaultButton] = RestoreQuestion(*state, SummaryOf(now->record));
  if (session_.prompts().ShowMessage(this, MessageKind::Confirmation, MessageButtons::OkCancel, question,
                                     defaultButton) != MessageAnswer::Ok)
    return;
  Restore(*state, *now);
}

void THistoryWindow::Restore(const KeptState& state, LoadResult& now) {
  auto chosen = StateLoaded(state);
  if (!chosen) return;
  if (chosen->record.BytesOnDisk == now.record.BytesOnDisk)
    return Tell("The file holds state " + std::to_string(state.number) + " already.");
  UpdateResult result;
  {
    DesktopHistory history(session_, this);
    result = RestoreKeptState(history.store(), path_, now.record, std::move(chosen->record.BytesOnDisk),
                              backups_, LockWaitPrompt(this).Wait());
  }
  if (!result.succeeded) return Tell(result.message);
  if (!result.warning.empty()) Tell(result.warning);
  Refresh();
  if (restored_) restored_();
}

void THistoryWindow::ExportButtonClick() {
  const KeptState* state = OneChosenState();
  if (state == nullptr) return;
  auto chosen = StateLoaded(*state);
  if (!chosen) return;
  FileDialogState dialog;
  dialog.title = QStringLiteral("Export state %1").arg(state->number);
  dialog.filters = PilotFileFilters();
  dialog.initialDir = DisplayPath(path_);
  while (session_.prompts().ExecuteNewFileDialog(this, dialog)) {
    const auto failure = ExportKeptState(chosen->record.BytesOnDisk, LocalPath(dialog.fileName), path_);
    if (!failure) return;
    Tell(*failure);
  }
}

void THistoryWindow::Tell(const std::string& text) {
  session_.prompts().ShowMessage(this, MessageKind::Warning, MessageButtons::Ok, DisplayMessage(text));
}

}  // namespace orlenda
