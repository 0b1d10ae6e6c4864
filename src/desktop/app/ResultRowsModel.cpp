#include "desktop/app/ResultRowsModel.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <limits>

namespace ledgerly::gui {
namespace {

// A block is a few screens of rows; the cache holds some thousands of rows,
// enough for scrolling back and forth without reading again.
constexpr int kBlockRows = 128;
constexpr int kCachedBlocks = 32;

}  // namespace

ResultRowsModel::ResultRowsModel(QStringList column_captions, QObject* parent)
    : QAbstractTableModel(parent),
      column_captions_(std::move(column_captions)),
      blocks_(kCachedBlocks) {}

bool ResultRowsModel::SetRows(const GridRows& rows, const QSqlDatabase& db) {
  beginResetModel();
  rows_ = rows;
  db_ = db;
  numbered_count_ = 0;
  keys_.clear();
  blocks_.clear();
  QSqlQuery keys(db_);
  keys.setForwardOnly(true);
  bool read = keys.prepare(rows_.keys_sql);
  for (int i = 0; read && i < rows_.keys_values.size(); ++i)
    keys.bindValue(i, rows_.keys_values[i]);
  read = read && keys.exec();
  if (read && rows_.keys == GridRows::Keys::Numbered) {
    // More rows than a view can hold are not shown rather than wrapped.
    if (keys.next()) {
      numbered_count_ =
          std::min<int64_t>(keys.value(0).toLongLong(), std::numeric_limits<int>::max());
    }
  } else if (read) {
    while (keys.next()) keys_.push_back(keys.value(0).toLongLong());
  }
  if (!read) {
    keys_.clear();
    emit readFailed(rows_.keys_sql, keys.lastError().text());
  }
  endResetModel();
  return read;
}

void ResultRowsModel::Clear() {
  beginResetModel();
  rows_ = {};
  db_ = {};
  numbered_count_ = 0;
  keys_.clear();
  blocks_.clear();
  endResetModel();
}

int64_t ResultRowsModel::KeyOf(int row) const {
  if (row < 0 || row >= rowCount()) return 0;
  return rows_.keys == GridRows::Keys::Numbered ? row + int64_t{1} : keys_[row];
}

int ResultRowsModel::RowOf(int64_t key) const {
  if (rows_.keys == GridRows::Keys::Numbered) {
    return key >= 1 && key <= numbered_count_ ? static_cast<int>(key - 1) : -1;
  }
  const auto found = std::lower_bound(keys_.begin(), keys_.end(), key);
  return found != keys_.end() && *found == key ? static_cast<int>(found - keys_.begin()) : -1;
}

int ResultRowsModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return rows_.keys == GridRows::Keys::Numbered ? static_cast<int>(numbered_count_)
                                                : static_cast<int>(keys_.size());
}

int ResultRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(column_captions_.size());
}

QVariant ResultRowsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  const Block& block = BlockOf(index.row());
  const int in_block = index.row() % kBlockRows;
  if (in_block >= block.size()) return {};
  return block[in_block].value(index.column());
}

QVariant ResultRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
    return column_captions_.value(section);
  }
  return QAbstractTableModel::headerData(section, orientation, role);
}

// Reads the rows of one block by their keys with one prepared query.
const ResultRowsModel::Block& ResultRowsModel::BlockOf(int row) const {
  const int first = row / kBlockRows * kBlockRows;
  if (const Block* cached = blocks_.object(first)) return *cached;
  auto* block = new Block;
  const int end = std::min(rowCount(), first + kBlockRows);
  QSqlQuery query(db_);
  query.setForwardOnly(true);
  bool read = query.prepare(rows_.row_sql);
  for (int r = first; read && r < end; ++r) {
    query.bindValue(0, QVariant::fromValue<qlonglong>(KeyOf(r)));
    read = query.exec();
    QStringList values;
    if (read && query.next()) {
      for (int column = 0; column < column_captions_.size(); ++column) {
        values << query.value(column).toString();
      }
    }
    block->push_back(values);
  }
  if (!read) emit readFailed(rows_.row_sql, query.lastError().text());
  blocks_.insert(first, block);
  return *blocks_.object(first);
}

}  // namespace ledgerly::gui
