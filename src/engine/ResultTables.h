#pragma once

#include "rules/RuleContext.h"

namespace ledgerly {

// The accumulator tables of ERRORLOG.MDB: TRT holds the RW sums in columns
// 1-24, TRU the RO sums in columns 1-19.
inline constexpr int kTrtColumns = 24;
inline constexpr int kTruColumns = 19;

inline const char* TableName(Totals which) {
  return which == Totals::TRT ? "TRT" : "TRU";
}

inline int ColumnCount(Totals which) {
  return which == Totals::TRT ? kTrtColumns : kTruColumns;
}

}  // namespace ledgerly
