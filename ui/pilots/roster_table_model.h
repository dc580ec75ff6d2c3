#pragma once

// The roster's rows for Qt's views: the core's rows and columns as they are, with the cells marked
// for the player (a file with check errors, a file that failed to load), a last column with each
// file's battle review once one was made, and a proxy that sorts by the core's order and filters by
// name.

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "review/pilot_review.h"
#include "roster/roster_row.h"

namespace orlenda {

class RosterTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  const RosterRow& Row(int row) const { return *rows_[static_cast<std::size_t>(row)]; }
  // The column after the core's: "Pass", or "Fail: " and the first failed check.
  static int VerdictColumn();
  // The review of a row's file, or nullptr when it was not reviewed since it was loaded.
  const PilotReview* ReviewOf(int row) const;
  bool HasReviews() const { return !reviews_.empty(); }
  // Takes the reviews of the files that have rows; a row loaded again afterwards loses its review.
  void SetReviews(std::vector<PilotReview> reviews);
  // The row of that path, or -1.
  int RowOf(const std::string& path) const;

  void Clear();
  // Replaces the row of the same path, or adds it at the end.
  void Put(RosterRow row);
  // The same for many rows: the new ones are added together.
  void PutRows(std::vector<RosterRow> rows);
  // Removes the rows of these paths: each run of neighbouring rows at once, and the index of paths
  // made again once, so that thousands of files leaving the folder cost one pass over the table.
  void RemovePaths(const std::vector<std::string>& paths);

 private:
  void IndexFrom(std::size_t first);

  // Rows are held by pointer, so that removing a run moves pointers, not rows.
  std::vector<std::unique_ptr<RosterRow>> rows_;
  std::unordered_map<std::string, int> rowOfPath_;
  std::unordered_map<std::string, PilotReview> reviews_;  // by path
};

// Sorting by a column gives the core's order (numbers highest first, failed files last) in the
// ascending direction; the filter keeps rows whose pilot or file name holds the text.
class RosterSortProxy final : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void SetNameFilter(const QString& text);

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  const RosterTableModel& Source() const;
  QString nameFilter_;
};

}  // namespace orlenda
