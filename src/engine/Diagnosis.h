#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/Causes.h"
#include "rules/RuleContext.h"

// The likely cause of byte-level damage in a record: bytes of another
// encoding, a byte-order mark, a control character, a record a few bytes too
// long or short, a line break inside it. A cause is named only when putting it
// right makes the whole record line up and pass its rules again; where no
// single cause explains the findings, nothing is said. The diagnosis only
// reads: it adds no Error entry and changes nothing the run stores.
namespace ledgerly {

// What the run read of one record.
struct ReadRecord {
  int64_t rec_num = 0;
  uint64_t offset = 0;         // of its first byte in the file
  std::string_view record;     // as its rules saw it (upper-cased)
  std::string_view following;  // the bytes after it that the reader already holds
};

struct Diagnosis {
  const Cause* cause = nullptr;
  int64_t rec_num = 0;
  uint64_t offset = 0;  // of the first damaged byte in the file
  int position = 0;     // of that byte in the record, from 1
  std::string bytes;    // the damaged bytes in hex ("C3 89")
  std::string explanation;
  // The record's last bytes were read as the next record, whose findings
  // follow from the same cause.
  bool spills_into_next = false;
  std::vector<int64_t> explains;  // the Err_Nums that follow from it
  std::string file;               // the path the run stores for the file
};

// rules: the run's context as it stands after the record (a copy is checked).
std::optional<Diagnosis> Diagnose(const ReadRecord& read, const RuleContext& rules);

}  // namespace ledgerly
