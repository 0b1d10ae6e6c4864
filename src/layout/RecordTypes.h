#pragma once

#include <array>
#include <span>
#include <string_view>

#include "layout/RecordLayouts.h"

// The one table of record types: what every part of the program needs to know
// of a record type by its identifier, written down once.
namespace ledgerly {

// How the reports identify the record an error belongs to.
enum class Identification : unsigned char {
  Ein,   // "EIN: " and its reference (the employer's, or the submitter's)
  Ssn,   // "SSN: " and its reference
  None,  // nothing (the final record)
};

struct RecordType {
  std::string_view id;
  std::span<const FieldLayoutRow> layout;  // empty for RS and RV, which have no fields checked
  // Its rules compare with or add to the employer block's TRT/TRU sums.
  bool uses_block_rows;
  Identification identification;
};

inline constexpr std::array<RecordType, 9> kRecordTypes{{
    {"RA", kRALayout, false, Identification::Ein},
    {"RE", kRELayout, false, Identification::Ein},
    {"RW", kRWLayout, true, Identification::Ssn},
    {"RO", kROLayout, true, Identification::Ssn},
    {"RS", {}, false, Identification::Ssn},
    {"RT", kRTLayout, true, Identification::Ein},
    {"RU", kRULayout, true, Identification::Ein},
    {"RV", {}, false, Identification::Ssn},
    {"RF", kRFLayout, false, Identification::None},
}};

// The type of an identifier as read (upper case), or nullptr for anything else.
const RecordType* FindRecordType(std::string_view id);

// True for the nine record identifiers.
inline bool IsRecordIdentifier(std::string_view id) {
  return FindRecordType(id) != nullptr;
}

}  // namespace ledgerly
