#pragma once

#include <array>
#include <cstddef>
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
  int Min() const { return pages_[kMin]; }
  int Max() const { return pages_[kMax]; }
  int FromPage() const { return pages_[kFromPage]; }
  int ToPage() const { return pages_[kToPage]; }

  void SetMin(int value) { Set(kMin, value); }
  void SetMax(int value) { Set(kMax, value); }
  void SetFromPage(int value) { Set(kFromPage, value); }
  void SetToPage(int value) { Set(kToPage, value); }

 private:
  // Indexes into pages_, in the order the values keep.
  static constexpr std::size_t kMin = 0;
  static constexpr std::size_t kFromPage = 1;
  static constexpr std::size_t kToPage = 2;
  static constexpr std::size_t kMax = 3;

  void Set(std::size_t index, int value);

  std::array<int, 4> pages_{};
};

}  // namespace ledgerly
