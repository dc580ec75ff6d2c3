#pragma once

// The History window's table of states, one row per kept state: when, how, missions won, campaign total
// and what changed since the state before (the change line), the row's header its number. A cell's text
// is made when the view asks for it, so that a history of ten thousand states fills the table at once.

#include <QAbstractTableModel>
#include <vector>

#include "history/history_store.h"

namespace orlenda {

class StatesTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit StatesTableModel(QObject* parent);

  // Shows `states`, which must outlive the model or the next call.
  void SetStates(const std::vector<KeptState>& states);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString CellText(std::size_t row, int column) const;

  const std::vector<KeptState>* states_ = nullptr;
};

}  // namespace orlenda
