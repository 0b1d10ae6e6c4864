#pragma once

#include <cstdint>

namespace ledgerly {

// Flag values of the print dialog, as the platform's print dialog numbers them.
inline constexpr uint32_t kPdPageNums = 2;  // the user chose a page range
inline constexpr uint32_t kPdNoSelection = 4;
inline constexpr uint32_t kPdCollate = 16;
inline constexpr uint32_t kPdHidePrintToFile = 1048576;

// The pages a print dialog offers and the range chosen in it. Every setter
// turns a value below 1 into 0 and then moves the other values so that
// Min <= FromPage <= ToPage <= Max always holds; the value just set wins.
class PrintPageRange {
 public:
  int Min() const { return min_; }
  int Max() const { return max_; }
  int FromPage() const { return from_page_; }
  int ToPage() const { return to_page_; }

  void SetMin(int value);
  void SetMax(int value);
  void SetFromPage(int value);
  void SetToPage(int value);

 private:
  int min_ = 0;
  int from_page_ = 0;
  int to_page_ = 0;
  int max_ = 0;
};

}  // namespace ledgerly
