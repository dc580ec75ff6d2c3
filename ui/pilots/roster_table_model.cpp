#include "ui/pilots/roster_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <algorithm>
#include <tuple>

#include "base/display_text.h"
#include "report/consistency_check.h"
#include "roster/roster_columns.h"
#include "ui/shell/plain_text.h"

namespace orlenda {
namespace {

RosterColumn ColumnAt(int section) { return RosterColumns()[static_cast<std::size_t>(section)].column; }

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Names from elsewhere (a file's name, a load message naming it) through the one escaping function:
// a control character in a file name must not reach the table raw.
QString Shown(const std::string& text) { return Text(EscapedText(text)); }

// A file that failed to load shows its message whole in the last column, "Message".
QString DisplayText(const RosterRow& row, RosterColumn column) { return Shown(CellText(row, column)); }

// The file column's tooltip holds the whole name, which the column may show elided.
QString ToolTip(const RosterRow& row, RosterColumn column) {
  if (column == RosterColumn::kFile) return Shown(row.fileName);
  if (!row.loaded) return Shown(row.message);
  if (row.checkErrorCount > 0) return Text(CheckErrorCountText(row.checkErrorCount));
  return Text(row.exportLine);
}

// Pass and fail are told by the text and by its colour.
QVariant VerdictData(const PilotReview* review, int role) {
  if (review == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return Shown(VerdictText(*review));
    case Qt::ForegroundRole:
      return QBrush(review->Passed() ? QColor(0x1B, 0x6E, 0x20) : QColor(0xB7, 0x1C, 0x1C));
    case Qt::FontRole: {
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    default:
      return {};
  }
}

QVariant Background(const RosterRow& row) {
  if (!row.loaded) return QBrush(QColor(0xE6, 0xE6, 0xE6));
  if (row.checkErrorCount > 0) return QBrush(QColor(0xFF, 0xD6, 0xD6));
  return {};
}

}  // namespace

int RosterTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RosterTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : VerdictColumn() + 1;
}

int RosterTableModel::VerdictColumn() { return static_cast<int>(RosterColumns().size()); }

const PilotReview* RosterTableModel::ReviewOf(int row) const {
  const auto found = reviews_.find(Row(row).path);
  return found == reviews_.end() ? nullptr : &found->second;
}

void RosterTableModel::SetReviews(std::vector<PilotReview> reviews) {
  reviews_.clear();
  for (PilotReview& review : reviews)
    if (RowOf(review.path) >= 0) reviews_.insert_or_assign(review.path, std::move(review));
  if (rowCount() > 0) emit dataChanged(index(0, VerdictColumn()), index(rowCount() - 1, VerdictColumn()));
}

QVariant RosterTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (index.column() == VerdictColumn()) return VerdictData(ReviewOf(index.row()), role);
  const RosterRow& row = Row(index.row());
  const RosterColumn column = ColumnAt(index.column());
  switch (role) {
    case Qt::DisplayRole:
      return DisplayText(row, column);
    case Qt::ToolTipRole:
      return LiteralToolTip(ToolTip(row, column));
    case Qt::BackgroundRole:
      return Background(row);
    case Qt::FontRole:
      if (!row.loaded) {
        QFont italic;
        italic.setItalic(true);
        return italic;
      }
      return {};
    case Qt::TextAlignmentRole:
      if (InfoOf(column).kind == ColumnKind::kNumber && column != RosterColumn::kModified)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant RosterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  if (section == VerdictColumn()) return QStringLiteral("Verdict");
  return Text(std::string(RosterColumns()[static_cast<std::size_t>(section)].heading));
}

int RosterTableModel::RowOf(const std::string& path) const {
  const auto found = rowOfPath_.find(path);
  return found == rowOfPath_.end() ? -1 : found->second;
}

void RosterTableModel::Clear() {
  beginResetModel();
  rows_.clear();
  rowOfPath_.clear();
  reviews_.clear();
  endResetModel();
}

void RosterTableModel::Put(RosterRow row) {
  std::vector<RosterRow> rows;
  rows.push_back(std::move(row));
  PutRows(std::move(rows));
}

void RosterTableModel::PutRows(std::vector<RosterRow> rows) {
  std::vector<RosterRow> added;
  for (RosterRow& row : rows) {
    const int existing = RowOf(row.path);
    if (existing < 0) {
      added.push_back(std::move(row));
      continue;
    }
    reviews_.erase(row.path);  // the file changed since its review
    *rows_[static_cast<std::size_t>(existing)] = std::move(row);
    emit dataChanged(index(existing, 0), index(existing, columnCount() - 1));
  }
  if (added.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
  for (RosterRow& row : added) {
    rowOfPath_[row.path] = static_cast<int>(rows_.size());
    rows_.push_back(std::make_unique<RosterRow>(std::move(row)));
  }
  endInsertRows();
}

void RosterTableModel::RemovePaths(const std::vector<std::string>& paths) {
  std::vector<int> doomed;
  for (const std::string& path : paths)
    if (const int row = RowOf(path); row >= 0) doomed.push_back(row);
  if (doomed.empty()) return;
  std::sort(doomed.begin(), doomed.end());
  doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
  // From the last run to the first, so that the rows of the runs still to go keep their numbers.
  for (auto end = doomed.end(); end != doomed.begin();) {
    auto start = end - 1;
    while (start != doomed.begin() && *(start - 1) == *start - 1) --start;
    beginRemoveRows({}, *start, *(end - 1));
    rows_.erase(rows_.begin() + *start, rows_.begin() + *(end - 1) + 1);
    endRemoveRows();
    end = start;
  }
  for (const std::string& path : paths) {
    rowOfPath_.erase(path);
    reviews_.erase(path);
  }
  IndexFrom(static_cast<std::size_t>(doomed.front()));
}

void RosterTableModel::IndexFrom(std::size_t first) {
  for (std::size_t i = first; i < rows_.size(); ++i) rowOfPath_[rows_[i]->path] = static_cast<int>(i);
}

void RosterSortProxy::SetNameFilter(const QString& text) {
  nameFilter_ = text.trimmed();
  invalidateFilter();
}

const RosterTableModel& RosterSortProxy::Source() const {
  return *static_cast<const RosterTableModel*>(sourceModel());
}

// Reviewed files first, failed ones before passed ones, then by the verdict's text.
bool RosterSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  if (left.column() == RosterTableModel::VerdictColumn()) {
    const auto key = [this](int row) {
      const PilotReview* review = Source().ReviewOf(row);
      return std::tuple(review == nullptr, review != nullptr && review->Passed(),
                        review != nullptr ? VerdictText(*review) : std::string());
    };
    return key(left.row()) < key(right.row());
  }
  return SortsBefore(Source().Row(left.row()), Source().Row(right.row()), ColumnAt(left.column()));
}

bool RosterSortProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  if (nameFilter_.isEmpty()) return true;
  const RosterRow& row = Source().Row(sourceRow);
  return Text(row.pilotName).contains(nameFilter_, Qt::CaseInsensitive) ||
         Text(row.fileName).contains(nameFilter_, Qt::CaseInsensitive);
}

}  // namespace orlenda
