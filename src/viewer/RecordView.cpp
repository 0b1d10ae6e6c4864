#include "viewer/RecordView.h"

#include <cmath>

#include "engine/Latin1.h"
#include "layout/RecordLayouts.h"
#include "rules/RecordRules.h"
#include "totals/TotalRecords.h"

namespace ledgerly {
namespace {

// Viewer mode with what the rules read back from the stored run: the block's
// accumulator rows, MISC PinOK and the run's RW count. Failures to read leave
// the defaults, as the viewer shows what it can.
class ViewerContext : public ViewerRuleContext {
 public:
  ViewerContext(const Database& db, std::optional<int64_t> re_indx) : db_(db) {
    if (re_indx) {
      LoadRow("TRT", *re_indx, trt, 24);
      LoadRow("TRU", *re_indx, tru, 19);
    }
  }

  bool UserIdMaskedInStore() override {
    return Query("SELECT PinOK FROM MISC ORDER BY Data_Id LIMIT 1") == 1;
  }
  int64_t CountRWRecords() override {
    return Query("SELECT COUNT(*) FROM RECORDS WHERE ID = 'RW'");
  }

 private:
  int64_t Query(const char* sql) {
    try {
      Statement statement(db_, sql);
      return statement.Step() ? statement.Int(0) : 0;
    } catch (const StoreError&) {
      return 0;
    }
  }

  void LoadRow(const std::string& table, int64_t indx, AccumulatorRow& row, int columns) {
    try {
      Statement statement(db_, "SELECT * FROM " + table + " WHERE Indx = ?");
      statement.Bind(1, indx);
      if (!statement.Step()) return;
      row.Indx = statement.Int(0);
      row.RE_EIN = Utf8ToLatin1(statement.Text(1));
      row.count = statement.Int(2);
      for (int column = 1; column <= columns; ++column) {
        row.sums[column] = std::llround(statement.Real(1 + 2 * column));
        row.err_refs[column] = Utf8ToLatin1(statement.Text(2 + 2 * column));
      }
    } catch (const StoreError&) {
    }
  }

  const Database& db_;
};

// The records whose rules compare with or add to their employer block's sums.
bool UsesBlockRows(std::string_view id) {
  return id == "RW" || id == "RO" || id == "RT" || id == "RU";
}

// The employer values of the block come from running the RE rule on the
// block's RE record, so they are exactly what the run's rules saw.
void LoadEmployerValues(const Database& db, int64_t re_indx, ViewerContext& ctx) {
  try {
    Statement statement(db, "SELECT Record FROM RECORDS WHERE ID = 'RE' AND RE_Indx = ?");
    statement.Bind(1, re_indx);
    if (!statement.Step()) return;
    ViewerRuleContext employer_ctx;
    CheckCodeRE(Utf8ToLatin1(statement.Text(0)), employer_ctx);
    ctx.employer = employer_ctx.employer;
  } catch (const StoreError&) {
  }
}

std::string Caption(const Database& db, int64_t rec_num) {
  int64_t records = 0;
  std::string path;
  try {
    // Records are numbered 1..n without gaps: the highest number is the count,
    // read from the key instead of a scan of every record.
    Statement count(db, "SELECT IFNULL(MAX(Rec_Num), 0) FROM RECORDS");
    if (count.Step()) records = count.Int(0);
    Statement misc(db, "SELECT Path FROM MISC ORDER BY Data_Id DESC LIMIT 1");
    if (misc.Step()) path = misc.Text(0);
  } catch (const StoreError&) {
  }
  // The file name alone, unless its folder can no longer be reached.
  const std::filesystem::path file(path);
  std::error_code ec;
  const bool folder_there = std::filesystem::is_directory(file.parent_path(), ec);
  return "Record Number " + std::to_string(rec_num) + " of " + std::to_string(records) +
         " Tested Record(s) - " + (folder_there ? file.filename().string() : path);
}

}  // namespace

std::optional<RecordView> ViewFile(const Database& db, int64_t rec_num) {
  RecordView view;
  view.rec_num = rec_num;
  std::string record;
  std::optional<int64_t> re_indx;
  try {
    Statement statement(db, "SELECT Record, RE_Indx, ID FROM RECORDS WHERE Rec_Num = ?");
    statement.Bind(1, rec_num);
    if (!statement.Step()) return std::nullopt;
    record = Utf8ToLatin1(statement.Text(0));
    if (!statement.IsNull(1)) re_indx = statement.Int(1);
    view.id = statement.Text(2);
  } catch (const StoreError&) {
    return std::nullopt;
  }

  ViewerContext ctx(db, re_indx);
  const std::string dispatch_id = record.substr(0, 2);
  if (re_indx && UsesBlockRows(dispatch_id)) {
    LoadEmployerValues(db, *re_indx, ctx);
  }

  // A record whose only error is critical is not re-checked.
  bool only_critical = false;
  bool sequence_only = false;
  try {
    Statement errors(db,
                     "SELECT COUNT(*), (SELECT Type || '|' || Reference FROM ERRORS WHERE "
                     "Rec_Num = ?1 ORDER BY Err_Num DESC LIMIT 1) FROM ERRORS WHERE Rec_Num = ?1");
    errors.Bind(1, rec_num);
    if (errors.Step() && errors.Int(0) == 1) {
      const std::string last = errors.Text(1);
      only_critical = last.rfind("C|", 0) == 0;
      sequence_only = only_critical && last.substr(2) == kSequenceReference;
    }
  } catch (const StoreError&) {
  }

  const auto layout = LayoutFor(dispatch_id);
  if (!layout.empty()) {
    if (!only_critical) CheckRecordFields(dispatch_id, record, ctx);
    for (std::size_t i = 0; i < layout.size(); ++i) {
      const FieldLayoutRow& row = layout[i];
      const std::string_view value =
          row.first <= static_cast<int>(record.size())
              ? std::string_view(record).substr(row.first - 1, row.last - row.first + 1)
              : std::string_view();
      view.rows.push_back(
          {row.label, Latin1ToUtf8(value), ctx.highlighted.count(static_cast<int>(i)) > 0});
    }
  } else {
    const bool known = IsRecordIdentifier(dispatch_id);  // RS or RV: no fields of their own
    view.rows.push_back({"Record Identifier", Latin1ToUtf8(dispatch_id), !known});
  }
  if (only_critical && sequence_only) view.rows[0].highlighted = true;
  view.caption = Caption(db, rec_num);
  return view;
}

}  // namespace ledgerly
