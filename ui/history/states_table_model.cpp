#include "ui/history/states_table_model.h"

#include "base/grouped_number.h"
#include "base/local_date.h"
#include "history/change_line.h"
#include "history/state_kind.h"

namespace orlenda {
namespace {

QString QtText(const std::string& text) { return QString::fromStdString(text); }

enum Column { kWhen, kHow, kMissionsWon, kCampaignTotal, kChange, kColumnCount };

}  // namespace

StatesTableModel::StatesTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StatesTableModel::SetStates(const std::vector<KeptState>& states) {
  beginResetModel();
  states_ = &states;
  endResetModel();
}

int StatesTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || states_ == nullptr ? 0 : static_cast<int>(states_->size());
}

int StatesTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant StatesTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return CellText(static_cast<std::size_t>(index.row()), index.column());
}

QVariant StatesTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical)
    return section >= 0 && section < rowCount()
               ? QVariant((*states_)[static_cast<std::size_t>(section)].number)
               : QVariant();
  static const char* const kTitles[kColumnCount] = {"When", "How", "Missions won", "Campaign total",
                                                    "Change"};
  return section >= 0 && section < kColumnCount ? QVariant(QString::fromLatin1(kTitles[section]))
                                                : QVariant();
}

QString StatesTableModel::CellText(std::size_t row, int column) const {
  const KeptState& state = (*states_)[row];
  switch (column) {
    case kWhen:
      return QtText(LocalDateTimeText(state.firstSeen));
    case kHow:
      return QtText(StateKindWords(state.kinds));
    case kMissionsWon:
      return QString::number(state.summary.missionsWon);
    case kCampaignTotal:
      return QtText(GroupedNumber(state.summary.campaignTotal));
    case kChange:
      return QtText(ChangeLine(row == 0 ? nullptr : &(*states_)[row - 1].summary, state.summary));
    default:
      return {};
  }
}

}  // namespace orlenda
