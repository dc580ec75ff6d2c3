#include "ui/roster_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "roster/roster_columns.h"

namespace orlenda {
namespace {

RosterColumn ColumnAt(int section) { return RosterColumns()[static_cast<std::size_t>(section)].column; }

QString Text(const std::string& text) { return QString::fromStdString(text); }

// A file that failed to load shows its message where the pilot's name would be.
QString DisplayText(const RosterRow& row, RosterColumn column) {
  if (!row.loaded && column == RosterColumn::kName) return Text(row.message);
  return Text(CellText(row, column));
}

QString ToolTip(const RosterRow& row) {
  if (!row.loaded) return Text(row.message);
  if (row.checkErrorCount > 0)
    return QString::number(row.checkErrorCount) + QStringLiteral(" error(s) found!");
  return Text(row.exportLine);
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
  return parent.isValid() ? 0 : static_cast<int>(RosterColumns().size());
}

QVariant RosterTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const RosterRow& row = Row(index.row());
  const RosterColumn column = ColumnAt(index.column());
  switch (role) {
    case Qt::DisplayRole:
      return DisplayText(row, column);
    case Qt::ToolTipRole:
      return ToolTip(row);
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
  endResetModel();
}

void RosterTableModel::Put(RosterRow row) {
  const int existing = RowOf(row.path);
  if (existing >= 0) {
    rows_[static_cast<std::size_t>(existing)] = std::move(row);
    emit dataChanged(index(existing, 0), index(existing, columnCount() - 1));
    return;
  }
  const int at = rowCount();
  beginInsertRows({}, at, at);
  rowOfPath_[row.path] = at;
  rows_.push_back(std::move(row));
  endInsertRows();
}

void RosterTableModel::RemovePath(const std::string& path) {
  const int at = RowOf(path);
  if (at < 0) return;
  beginRemoveRows({}, at, at);
  rows_.erase(rows_.begin() + at);
  rowOfPath_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) rowOfPath_[rows_[i].path] = static_cast<int>(i);
  endRemoveRows();
}

void RosterSortProxy::SetNameFilter(const QString& text) {
  nameFilter_ = text.trimmed();
  invalidateFilter();
}

const RosterTableModel& RosterSortProxy::Source() const {
  return *static_cast<const RosterTableModel*>(sourceModel());
}

bool RosterSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  return SortsBefore(Source().Row(left.row()), Source().Row(right.row()), ColumnAt(left.column()));
}

bool RosterSortProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  if (nameFilter_.isEmpty()) return true;
  const RosterRow& row = Source().Row(sourceRow);
  return Text(row.pilotName).contains(nameFilter_, Qt::CaseInsensitive) ||
         Text(row.fileName).contains(nameFilter_, Qt::CaseInsensitive);
}

}  // namespace orlenda
