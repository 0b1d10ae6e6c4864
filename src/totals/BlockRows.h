#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The sums of an employer block, as the TRT and TRU tables of ERRORLOG.MDB
// hold them, and their arithmetic. No rules here: the rules decide what is
// counted and summed.
namespace ledgerly {

enum class Totals { TRT, TRU };

// TRT holds the RW sums in columns 1-24, TRU the RO sums in columns 1-19.
inline constexpr int kTrtColumns = 24;
inline constexpr int kTruColumns = 19;

inline const char* TableName(Totals which) {
  return which == Totals::TRT ? "TRT" : "TRU";
}

inline int ColumnCount(Totals which) {
  return which == Totals::TRT ? kTrtColumns : kTruColumns;
}

// One accumulator row of an employer block. Amounts are whole cents.
struct AccumulatorRow {
  static constexpr int kMaxColumns = kTrtColumns;
  static constexpr const char* kNoErrRef = "None";

  int64_t Indx = 0;  // 0 while no RE record has opened a block
  std::string RE_EIN;
  int64_t count = 0;                                  // column "0"
  std::array<int64_t, kMaxColumns + 1> sums{};        // columns "1".."24"; [0] unused
  std::array<std::string, kMaxColumns + 1> err_refs;  // "F1ErrRef".."F24ErrRef"; [0] unused

  AccumulatorRow() { err_refs.fill(kNoErrRef); }

  // One more detail record in the block.
  void Count();
  // An amount added to a sum column; columns outside the row are ignored.
  void Add(int column, int64_t amount);
  // A sum column made incomplete by a non-numeric amount of the record `ssn`;
  // the first one is kept.
  void MarkIncomplete(int column, std::string_view ssn);
};

}  // namespace ledgerly
