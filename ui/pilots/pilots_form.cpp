#include "ui/pilots/pilots_form.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QProgressDialog>
#include <QSet>
#include <unordered_set>

#include "base/display_text.h"
#include "base/file_messages.h"
#include "base/file_replacement.h"
#include "base/path_kind.h"
#include "mainlog/main_log_file.h"
#include "report/locale_report_context.h"
#include "review/review_csv.h"
#include "review/review_form.h"
#include "roster/career.h"
#include "roster/roster_build.h"
#include "roster/roster_columns.h"
#include "roster/roster_csv.h"
#include "settings/settings_table.h"
#include "settings/typed_settings.h"
#include "ui/charts/career_chart.h"
#include "ui/pilots/review_box.h"
#include "ui/pilots/roster_table_model.h"
#include "ui/shell/lock_wait_prompt.h"
#include "ui/shell/platform_error.h"
#include "ui/shell/run_handler.h"
#include "ui/shell/session.h"
#include "ui_pilots_form.h"

namespace orlenda {
namespace {

// One step loads files for about this long, then lets the window handle its events.
constexpr qint64 kStepMilliseconds = 25;
constexpr int kRefreshDelayMilliseconds = 300;
constexpr int kNameWidthCharacters = 14;  // a pilot name holds at most 13
constexpr int kMeasuredRows = 100;        // rows measured for a column's width
constexpr int kFileWidthCharacters = 32;  // a longer file name is elided in the middle
constexpr int kProgressDelayMilliseconds = 500;
constexpr int kVerdictWidthCharacters = 40;

// What two names of one file (hard links) show alike: the same pilot, written at the same second.
std::string SameFileKey(const RosterRow& row) {
  std::string key = row.pilotName;
  key.append(reinterpret_cast<const char*>(row.stored.data()), sizeof(row.stored));
  return key + '/' + std::to_string(row.total) + '/' + std::to_string(row.modifiedTime.value_or(-1));
}

}  // namespace

TPilotsForm::TPilotsForm(Session& session, std::function<void(const std::string&)> openPilot,
                         std::function<void(const std::string&)> addToLog, QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui_(std::make_unique<Ui::TPilotsForm>()),
      session_(session),
      openPilot_(std::move(openPilot)),
      addToLog_(std::move(addToLog)),
      model_(new RosterTableModel(this)),
      proxy_(new RosterSortProxy(this)) {
  ui_->setupUi(this);
  proxy_->setSourceModel(model_);
  ui_->PilotsTable->setModel(proxy_);
  ui_->PilotsTable->verticalHeader()->hide();
  ui_->PilotsTable->setTextElideMode(Qt::ElideMiddle);
  ui_->PilotsTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  ui_->PilotsTable->horizontalHeader()->setResizeContentsPrecision(kMeasuredRows);
  ui_->PilotsTable->sortByColumn(static_cast<int>(RosterColumn::kFile), Qt::AscendingOrder);
  ui_->LoadProgress->hide();
  HideReview();
  folderDialog_.filters = PilotFileFilters();
  csvDialog_.filters = {QStringLiteral("CSV files (*.csv)"), QStringLiteral("All files (*)")};
  csvDialog_.use = QStringLiteral("the CSV file");
  stepTimer_.setInterval(0);
  refreshTimer_.setSingleShot(true);
  refreshTimer_.setInterval(kRefreshDelayMilliseconds);
  ConnectHandlers();
}

TPilotsForm::~TPilotsForm() = default;

// No verdict, checks pane or form until a review of the rows now listed; the verdict column, when a
// review shows it, stands beside the pilot's name, where a reviewer reads it first.
void TPilotsForm::HideReview() {
  ui_->ReviewChecks->hide();
  ui_->CopyFormButton->setEnabled(false);
  ui_->PilotsTable->setColumnHidden(RosterTableModel::VerdictColumn(), true);
  QHeaderView& header = *ui_->PilotsTable->horizontalHeader();
  header.moveSection(header.visualIndex(RosterTableModel::VerdictColumn()),
                     header.visualIndex(static_cast<int>(RosterColumn::kName)) + 1);
}

void TPilotsForm::ConnectHandlers() {
  const auto run = [this](auto handler) { RunHandler(session_.prompts(), this, handler); };
  connect(ui_->ChooseFolderButton, &QPushButton::clicked, this,
          [run, this] { run([this] { ChooseFolderButtonClick(); }); });
  connect(ui_->FolderEdit, &QLineEdit::returnPressed, this,
          [run, this] { run([this] { FolderEditReturnPressed(); }); });
  connect(ui_->FilterEdit, &QLineEdit::textChanged, this,
          [run, this](const QString& text) { run([this, &text] { FilterEditTextChanged(text); }); });
  connect(ui_->PilotsTable, &QTableView::activated, this,
          [run, this](const QModelIndex& index) { run([this, &index] { PilotsTableActivated(index); }); });
  connect(ui_->AddToLogButton, &QPushButton::clicked, this,
          [run, this] { run([this] { AddToLogButtonClick(); }); });
  connect(ui_->SaveCsvButton, &QPushButton::clicked, this,
          [run, this] { run([this] { SaveCsvButtonClick(); }); });
  ui_->ChartButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  connect(ui_->ChartButton, &QPushButton::clicked, this,
          [run, this] { run([this] { ChartButtonClick(); }); });
  ConnectReviewHandlers();
  // A step that fails (a setting that does not convert) ends the round of loads.
  connect(&stepTimer_, &QTimer::timeout, this, [this] {
    if (!RunHandler(session_.prompts(), this, [this] { LoadStep(); })) pending_.clear();
    if (pending_.empty()) {
      stepTimer_.stop();
      ui_->LoadProgress->hide();
      HideReview();
      if (std::exchange(fitColumns_, false)) FitColumns();
    }
  });
  connect(&refreshTimer_, &QTimer::timeout, this,
          [this] { RunHandler(session_.prompts(), this, [this] { Refresh(); }); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { FolderChanged(); });
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this,
          [this](const QString& path) { FileChanged(path); });
}

void TPilotsForm::ConnectReviewHandlers() {
  const auto run = [this](auto handler) { RunHandler(session_.prompts(), this, handler); };
  ui_->ReviewButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(ui_->ReviewButton, &QPushButton::clicked, this,
          [run, this] { run([this] { ReviewButtonClick(); }); });
  connect(ui_->CopyFormButton, &QPushButton::clicked, this,
          [run, this] { run([this] { CopyFormButtonClick(); }); });
  connect(ui_->PilotsTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { ShowChecksOfCurrentRow(); });
  connect(model_, &QAbstractItemModel::dataChanged, this, [this] { ShowChecksOfCurrentRow(); });
}

void TPilotsForm::ShowFolder(const QString& folder) {
  folder_ = folder;
  ui_->FolderEdit->setText(folder);
  model_->Clear();
  pending_.clear();
  changedFiles_.clear();
  seenChanged_.clear();
  folderChanged_ = false;
  if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  bool readable = false;
  const std::vector<std::string> paths = PilotFilesIn(LocalPath(folder), readable);
  if (!readable) throw PlatformError("Cannot open folder " + LocalPath(folder));
  watcher_.addPath(folder);
  Watch(paths);
  pending_.assign(paths.begin(), paths.end());
  pendingTotal_ = static_cast<int>(paths.size());
  settings_.emplace(session_.settings().Snapshot());
  context_ = ReportContextFromLocale();
  fitColumns_ = true;
  ShowProgress();
  stepTimer_.start();
}

// Columns as wide as their texts, measured on the first rows; a long name is cut to a name's width,
// and a long file name elided in its middle (the tooltips hold them whole), so that one long text
// cannot push the other columns out of view. The load messages, in the last column, are shown whole.
void TPilotsForm::FitColumns() {
  QTableView& table = *ui_->PilotsTable;
  table.resizeColumnsToContents();
  const auto capWidth = [&table](RosterColumn column, int characters) {
    const int index = static_cast<int>(column);
    const int widest = table.fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('M')));
    table.setColumnWidth(index, std::min(table.columnWidth(index), widest));
  };
  capWidth(RosterColumn::kName, kNameWidthCharacters);
  capWidth(RosterColumn::kFile, kFileWidthCharacters);
}

// Only the files not watched yet are handed to the watcher, which examines each file it is given: a
// refresh of a big folder then costs no call to the system for the files that stayed.
void TPilotsForm::Watch(const std::vector<std::string>& paths) {
  const QStringList watchedFiles = watcher_.files();
  const QSet<QString> watched(watchedFiles.begin(), watchedFiles.end());
  QStringList files;
  for (const std::string& path : paths)
    if (QString file = QtPath(path); !watched.contains(file)) files.append(std::move(file));
  if (!files.isEmpty()) watcher_.addPaths(files);
}

void TPilotsForm::ShowProgress() {
  ui_->LoadProgress->setMaximum(pendingTotal_);
  ui_->LoadProgress->setValue(pendingTotal_ - static_cast<int>(pending_.size()));
  ui_->LoadProgress->setVisible(!pending_.empty());
}

void TPilotsForm::LoadStep() {
  QElapsedTimer step;
  step.start();
  std::vector<std::string> missing;
  std::vector<RosterRow> rows;
  std::vector<SeenState> seen;
  while (!pending_.empty() && step.elapsed() < kStepMilliseconds) {
    const std::string path = pending_.front();
    pending_.pop_front();
    if (IsMissing(path)) {
      missing.push_back(path);
      continue;
    }
    LoadResult loaded = LoadPilotFile(path);
    rows.push_back(RosterRowOf(path, loaded, *settings_, context_));
    if (seenChanged_.erase(path) != 0 && loaded.Succeeded())
      seen.push_back({path, std::move(loaded.record), loaded.modifiedTime});
  }
  model_->RemovePaths(missing);
  model_->PutRows(std::move(rows));
  ShowProgress();
  if (!seen.empty()) KeepGameWrites(std::move(seen));
}

// Kept once the rows show them. A save of ours or the history's own wait may be waiting in its box
// meanwhile: the states are then kept after it, in a wait of their own.
void TPilotsForm::KeepGameWrites(std::vector<SeenState> seen) {
  LockWaitPrompt::RunWhenNoWaitIsUnderWay(this, [this, seen = std::move(seen)] {
    RunHandler(session_.prompts(), this,
               [&] { KeepPilotStates(session_, this, seen, StateKind::kGameWrite); });
  });
}

// The folder lost or gained files: they are listed again once the notices of one save have settled.
void TPilotsForm::FolderChanged() {
  folderChanged_ = true;
  refreshTimer_.start();
}

// The watcher tells of a change to a file under one of its names only, also when the file has several
// (hard links), and keeps watching the file that a name named before a rename over it. So the rows
// that showed the same pilot as a changed file, written at the same second, are loaded again by their
// paths too (at worst a row loaded once more), and every changed name is watched anew.
void TPilotsForm::AddOtherNamesOf(std::set<std::string>& changed) {
  std::unordered_set<std::string> keys;
  for (const std::string& path : changed)
    if (const int row = model_->RowOf(path); row >= 0 && model_->Row(row).loaded)
      keys.insert(SameFileKey(model_->Row(row)));
  for (int row = 0; !keys.empty() && row < model_->rowCount(); ++row) {
    const RosterRow& candidate = model_->Row(row);
    if (candidate.loaded && keys.contains(SameFileKey(candidate))) changed.insert(candidate.path);
  }
  const QStringList watchedFiles = watcher_.files();
  const QSet<QString> watched(watchedFiles.begin(), watchedFiles.end());
  std::vector<std::string> rewatch;
  for (const std::string& path : changed) {
    if (watched.contains(QtPath(path))) watcher_.removePath(QtPath(path));
    if (IsRegularFile(path)) rewatch.push_back(path);
  }
  Watch(rewatch);
}

void TPilotsForm::FileChanged(const QString& path) {
  changedFiles_.insert(LocalPath(path));
  refreshTimer_.start();
}

// Files that left the folder lose their rows, new files and changed files are loaded (again); the
// other rows, the selection and the sort stay.
void TPilotsForm::Refresh() {
  std::set<std::string> toLoad = std::move(changedFiles_);
  changedFiles_.clear();
  AddOtherNamesOf(toLoad);
  if (folderChanged_) {
    folderChanged_ = false;
    bool readable = false;
    const std::vector<std::string> paths = PilotFilesIn(LocalPath(folder_), readable);
    const std::unordered_set<std::string> listed(paths.begin(), paths.end());
    std::vector<std::string> gone;
    for (int row = 0; readable && row < model_->rowCount(); ++row)
      if (!listed.contains(model_->Row(row).path)) gone.push_back(model_->Row(row).path);
    model_->RemovePaths(gone);
    for (const std::string& path : paths)
      if (model_->RowOf(path) < 0) toLoad.insert(path);
    Watch(paths);  // a file replaced by a rename is watched again
  }
  if (toLoad.empty()) return;
  if (pending_.empty()) {
    pendingTotal_ = 0;
    settings_.emplace(session_.settings().Snapshot());
    context_ = ReportContextFromLocale();
  }
  for (const std::string& path : toLoad) pending_.push_back(path);
  seenChanged_.insert(toLoad.begin(), toLoad.end());
  pendingTotal_ += static_cast<int>(toLoad.size());
  ShowProgress();
  stepTimer_.start();
}

void TPilotsForm::ChooseFolderButtonClick() {
  folderDialog_.initialDir = folder_;
  if (!session_.prompts().ExecuteOpenDialog(this, folderDialog_)) return;
  const QString folder = QFileInfo(folderDialog_.fileName).absolutePath();
  ShowFolder(folder);
  if (ReadFlag(session_.settings(), SettingNamed("SaveFilename")))
    WriteSettingValue(session_.settings(), SettingNamed("LastDir"), LocalPath(folder));
}

void TPilotsForm::FolderEditReturnPressed() { ShowFolder(ui_->FolderEdit->text()); }

void TPilotsForm::FilterEditTextChanged(const QString& text) { proxy_->SetNameFilter(text); }

void TPilotsForm::PilotsTableActivated(const QModelIndex& index) {
  if (!index.isValid()) return;
  openPilot_(model_->Row(proxy_->mapToSource(index).row()).path);
}

std::vector<int> TPilotsForm::SelectedSourceRows() const {
  QModelIndexList selected = ui_->PilotsTable->selectionModel()->selectedRows();
  std::sort(selected.begin(), selected.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  std::vector<int> rows;
  for (const QModelIndex& index : selected) rows.push_back(proxy_->mapToSource(index).row());
  return rows;
}

std::vector<int> TPilotsForm::ShownSourceRows() const {
  std::vector<int> rows;
  for (int row = 0; row < proxy_->rowCount(); ++row)
    rows.push_back(proxy_->mapToSource(proxy_->index(row, 0)).row());
  return rows;
}

// Each selected pilot is added to the log (loaded as "Open pilotfile" loads it, and the line that
// closing the pilot file view would append is appended), in the order the table shows. Files that
// failed to load are passed over. Many rows show their progress, and Cancel stops after the current one.
void TPilotsForm::AddToLogButtonClick() {
  std::vector<std::string> paths;
  for (int row : SelectedSourceRows())
    if (model_->Row(row).loaded) paths.push_back(model_->Row(row).path);
  QProgressDialog progress(QStringLiteral("Adding pilots to the log..."), QStringLiteral("Cancel"), 0,
                           static_cast<int>(paths.size()), this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(kProgressDelayMilliseconds);
  for (std::size_t i = 0; i < paths.size() && !progress.wasCanceled(); ++i) {
    addToLog_(paths[i]);
    progress.setValue(static_cast<int>(i + 1));
  }
}

void TPilotsForm::SaveCsvButtonClick() {
  if (csvDialog_.fileName.isEmpty()) csvDialog_.fileName = folder_ + QStringLiteral("/pilots.csv");
  if (!session_.prompts().ExecuteSaveDialog(this, csvDialog_)) return;
  std::vector<RosterRow> rows;
  std::vector<const PilotReview*> reviews;
  for (int row : ShownSourceRows()) {
    rows.push_back(model_->Row(row));
    reviews.push_back(model_->ReviewOf(row));
  }
  const std::string path = LocalPath(csvDialog_.fileName);
  const std::string csv = model_->HasReviews() ? RosterCsvWithVerdicts(rows, reviews) : RosterCsv(rows);
  std::string reason;
  if (!ReplaceWholeFile(path, csv, {}, reason)) throw PlatformError(CannotCreateFileMessage(path, reason));
}

// The selected pilots, loaded again as they are now, in the order the table shows; the files that
// fail to load are named under the chart.
void TPilotsForm::ChartButtonClick() {
  std::vector<std::string> paths;
  for (int row : SelectedSourceRows()) paths.push_back(model_->Row(row).path);
  if (paths.empty()) {
    session_.prompts().ShowMessage(this, MessageKind::Information, MessageButtons::Ok,
                                   QStringLiteral("Select the pilots to chart."));
    return;
  }
  LoadedCareers loaded = LoadCareers(paths, session_.settings().Snapshot());
  if (chart_ == nullptr) chart_ = new TCareerChart(session_, this);
  chart_->ShowCareers(std::move(loaded.careers), loaded.leftOut);
  chart_->Present();
}

// The box is shown over the window without stopping it; its OK starts the review.
void TPilotsForm::ReviewButtonClick() {
  if (reviewBox_ == nullptr) {
    reviewBox_ = new TReviewBox(session_, this);
    connect(reviewBox_, &QDialog::accepted, this,
            [this] { RunHandler(session_.prompts(), this, [this] { Review(reviewBox_->Request()); }); });
  }
  reviewBox_->open();
}

// Every listed file is loaded again as it is now and reviewed with the others, so that two copies of
// one flight are found; the verdicts fill their column and the current row's checks their pane.
void TPilotsForm::Review(const ReviewRequest& request) {
  std::vector<std::string> paths;
  for (int row = 0; row < model_->rowCount(); ++row) paths.push_back(model_->Row(row).path);
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  std::vector<PilotReview> reviews = ReviewPilotFiles(paths, request);
  QGuiApplication::restoreOverrideCursor();
  model_->SetReviews(std::move(reviews));
  ui_->PilotsTable->setColumnHidden(RosterTableModel::VerdictColumn(), false);
  // As wide as its texts, up to a limit past which a long failure is elided (its tooltip holds it whole).
  QTableView& table = *ui_->PilotsTable;
  table.resizeColumnToContents(RosterTableModel::VerdictColumn());
  const int widest =
      table.fontMetrics().horizontalAdvance(QString(kVerdictWidthCharacters, QLatin1Char('M')));
  table.setColumnWidth(RosterTableModel::VerdictColumn(),
                       std::min(table.columnWidth(RosterTableModel::VerdictColumn()), widest));
  ui_->ReviewChecks->show();
  ui_->CopyFormButton->setEnabled(true);
  ShowChecksOfCurrentRow();
}

void TPilotsForm::ShowChecksOfCurrentRow() {
  const QModelIndex current = ui_->PilotsTable->currentIndex();
  const PilotReview* review =
      current.isValid() ? model_->ReviewOf(proxy_->mapToSource(current).row()) : nullptr;
  if (review == nullptr) {
    ui_->ReviewChecks->setPlainText(model_->HasReviews() ? QStringLiteral("Not reviewed.") : QString());
    return;
  }
  QString text = QString::fromStdString(EscapedText(review->file + ": " + VerdictText(*review)));
  for (const ReviewCheck& check : review->checks)
    text += QStringLiteral("\n%1\t%2: %3")
                .arg(QString::fromUtf8(CheckResultName(check.result).data(),
                                       static_cast<qsizetype>(CheckResultName(check.result).size())),
                     QString::fromStdString(check.title), QString::fromStdString(EscapedText(check.detail)));
  ui_->ReviewChecks->setPlainText(text);
}

// The forms of the selected pilots that were reviewed, in the order the table shows.
void TPilotsForm::CopyFormButtonClick() {
  std::vector<PilotReview> reviews;
  for (int row : SelectedSourceRows())
    if (const PilotReview* review = model_->ReviewOf(row)) reviews.push_back(*review);
  if (reviews.empty()) {
    session_.prompts().ShowMessage(this, MessageKind::Information, MessageButtons::Ok,
                                   QStringLiteral("Select the reviewed pilots whose forms to copy."));
    return;
  }
  QGuiApplication::clipboard()->setText(QString::fromStdString(ReviewForms(reviews)));
}

}  // namespace orlenda
