#include "reports/PrintPageRange.h"

#include <algorithm>

namespace ledgerly {
namespace {
int Sanitised(int value) {
  return value < 1 ? 0 : value;
}
}  // namespace

void PrintPageRange::SetMin(int value) {
  min_ = Sanitised(value);
  from_page_ = std::max(from_page_, min_);
  to_page_ = std::max(to_page_, min_);
  max_ = std::max(max_, min_);
}

void PrintPageRange::SetFromPage(int value) {
  from_page_ = Sanitised(value);
  to_page_ = std::max(to_page_, from_page_);
  max_ = std::max(max_, from_page_);
  min_ = std::min(min_, from_page_);
}

void PrintPageRange::SetToPage(int value) {
  to_page_ = Sanitised(value);
  max_ = std::max(max_, to_page_);
  from_page_ = std::min(from_page_, to_page_);
  min_ = std::min(min_, to_page_);
}

void PrintPageRange::SetMax(int value) {
  max_ = Sanitised(value);
  to_page_ = std::min(to_page_, max_);
  from_page_ = std::min(from_page_, max_);
  min_ = std::min(min_, max_);
}

}  // namespace ledgerly
