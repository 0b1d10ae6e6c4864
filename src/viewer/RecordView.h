#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/Sqlite.h"
#include "rules/RuleContext.h"

namespace ledgerly {

// One row of the record field viewer. Texts are UTF-8.
struct ViewerRow {
  std::string label;
  std::string value;
  bool highlighted = false;
};

// A stored record broken into its labelled fields, the faulty ones highlighted
// by re-running the record's rules in viewer mode.
struct RecordView {
  int64_t rec_num = 0;
  std::string id;  // as stored
  std::vector<ViewerRow> rows;
  std::string caption;  // "Record Number 5 of 100 Tested Record(s) - W2.TXT"
};

// The name of a tested file as captions show it: the name without its folder,
// or nothing when the folder cannot be reached (the file itself may be gone),
// in which case captions name the full stored path.
std::optional<std::string> ReachableFileName(const std::string& stored_path);

// Reads record rec_num of the result database; nothing when it is not there.
// Nothing is written to the database; a failed read throws StoreError.
std::optional<RecordView> ViewFile(const Database& db, int64_t rec_num);

// The viewer's finding sink: the numbers of the fields the rules find faulty.
class FieldHighlights : public FindingSink {
 public:
  void AddFieldError(std::string_view code, std::string_view reference, std::string_view user_entry,
                     std::string_view error, int field_no) override;
  std::set<int> fields;
};

}  // namespace ledgerly
