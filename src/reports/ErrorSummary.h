#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Sqlite.h"

namespace ledgerly {

// How many record numbers a summary row names.
inline constexpr int kSummaryRecNums = 5;

// One kind of error: all ERRORS rows with the same Reference and Error.
struct ErrorSummaryRow {
  int64_t count = 0;
  std::string reference;
  std::string error;
  std::vector<int64_t> first_rec_nums;  // the first kSummaryRecNums records, ascending
};

// Which mistakes dominate: one row per Reference and Error, the most frequent
// first, then by Reference. Read with one grouped query; throws StoreError.
std::vector<ErrorSummaryRow> ReadErrorSummary(const Database& db);

}  // namespace ledgerly
