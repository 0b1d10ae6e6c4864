#include "reports/ErrorSummary.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace ledgerly {
namespace {

// DENSE_RANK numbers the distinct records of each kind, so the first few are
// picked in SQL and only they are handed over; their order within
// group_concat is not guaranteed, hence the sort on reading.
constexpr std::string_view kSummarySql =
    "SELECT COUNT(*) AS n, Reference, Error, "
    "group_concat(DISTINCT CASE WHEN rec_rank <= ?1 THEN Rec_Num END) "
    "FROM (SELECT Reference, Error, Rec_Num, DENSE_RANK() OVER "
    "(PARTITION BY Reference, Error ORDER BY Rec_Num) AS rec_rank FROM ERRORS) "
    "GROUP BY Reference, Error ORDER BY n DESC, Reference, Error";

std::vector<int64_t> ParseRecNums(std::string_view list) {
  std::vector<int64_t> numbers;
  while (!list.empty()) {
    int64_t number = 0;
    const auto [end, ec] = std::from_chars(list.data(), list.data() + list.size(), number);
    if (ec == std::errc()) numbers.push_back(number);
    list.remove_prefix(std::min(list.size(), static_cast<std::size_t>(end - list.data()) + 1));
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

}  // namespace

std::vector<ErrorSummaryRow> ReadErrorSummary(const Database& db) {
  std::vector<ErrorSummaryRow> rows;
  Statement statement(db, kSummarySql);
  statement.Bind(1, static_cast<int64_t>(kSummaryRecNums));
  while (statement.Step()) {
    rows.push_back(
        {statement.Int(0), statement.Text(1), statement.Text(2), ParseRecNums(statement.Text(3))});
  }
  return rows;
}

}  // namespace ledgerly
