#include "viewer/RecordView.h"

#include "engine/Latin1.h"
#include "engine/ResultReader.h"
#include "layout/RecordTypes.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

// What the rules read back from the stored run: the block's accumulator rows,
// MISC PinOK and, for the final record, the run's RW count.
void LoadStoredRun(const ResultReader& reader, std::optional<int64_t> re_indx, std::string_view id,
                   RuleContext& ctx) {
  if (re_indx) {
    if (auto row = reader.BlockRow(Totals::TRT, *re_indx)) ctx.block.trt = *row;
    if (auto row = reader.BlockRow(Totals::TRU, *re_indx)) ctx.block.tru = *row;
  }
  ctx.user_id_masked_in_store = reader.PinOK();
  if (id == "RF") ctx.rw_records = reader.CountRecordsWithId("RW");
}

// The employer values of the block come from running the RE rule on the
// block's RE record, so they are exactly what the run's rules saw.
void LoadEmployerValues(const ResultReader& reader, int64_t re_indx, RuleContext& ctx) {
  const auto employer_record = reader.EmployerRecord(re_indx);
  if (!employer_record) return;
  FieldHighlights ignored;
  RuleContext employer_ctx(ignored);
  CheckCodeRE(*employer_record, employer_ctx);
  ctx.block.employer = employer_ctx.block.employer;
}

}  // namespace

void FieldHighlights::AddFieldError(std::string_view, std::string_view, std::string_view,
                                    std::string_view, int field_no) {
  fields.insert(field_no);
}

namespace {

std::string Caption(const ResultReader& reader, int64_t rec_num) {
  const int64_t records = reader.RecordCount();
  const std::vector<std::string> files = reader.TestedFiles();
  const std::string path = files.empty() ? std::string() : files.back();
  return "Record Number " + std::to_string(rec_num) + " of " + std::to_string(records) +
         " Tested Record(s) - " + ReachableFileName(path).value_or(path);
}

}  // namespace

std::optional<std::string> ReachableFileName(const std::string& stored_path) {
  const std::filesystem::path file(stored_path);
  std::error_code ec;
  if (file.filename().empty() || !std::filesystem::is_directory(file.parent_path(), ec)) {
    return std::nullopt;
  }
  return file.filename().string();
}

std::optional<RecordView> ViewFile(const Database& db, int64_t rec_num) {
  const ResultReader reader(db);
  const auto stored = reader.Record(rec_num);
  if (!stored) return std::nullopt;
  RecordView view;
  view.rec_num = rec_num;
  view.id = stored->id;
  const std::string& record = stored->record;
  const std::optional<int64_t> re_indx = stored->re_indx;

  // The rules run again over the record to find the faulty fields; the block's
  // sums they change are a copy, never written back.
  FieldHighlights highlights;
  RuleContext ctx(highlights);
  const std::string dispatch_id = record.substr(0, 2);
  LoadStoredRun(reader, re_indx, dispatch_id, ctx);
  const RecordType* type = FindRecordType(dispatch_id);
  if (re_indx && type && type->uses_block_rows) {
    LoadEmployerValues(reader, *re_indx, ctx);
  }

  // A record whose only error is critical is not re-checked.
  const RecordErrors errors = reader.ErrorsOf(rec_num);
  const bool only_critical = errors.count == 1 && errors.last_type == "C";
  const bool sequence_only = only_critical && errors.last_reference == kSequenceReference;

  const auto layout = type ? type->layout : std::span<const FieldLayoutRow>();
  if (!layout.empty()) {
    if (!only_critical) CheckRecordFields(dispatch_id, record, ctx);
    for (std::size_t i = 0; i < layout.size(); ++i) {
      const FieldLayoutRow& row = layout[i];
      const std::string_view value =
          row.first <= static_cast<int>(record.size())
              ? std::string_view(record).substr(row.first - 1, row.last - row.first + 1)
              : std::string_view();
      view.rows.push_back(
          {row.label, Latin1ToUtf8(value), highlights.fields.count(static_cast<int>(i)) > 0});
    }
  } else {
    // RS or RV: no fields of their own.
    view.rows.push_back({"Record Identifier", Latin1ToUtf8(dispatch_id), type == nullptr});
  }
  if (only_critical && sequence_only) view.rows[0].highlighted = true;
  view.caption = Caption(reader, rec_num);
  return view;
}

}  // namespace ledgerly
