#include "reports/PrintPageRange.h"

#include <algorithm>

namespace ledgerly {

void PrintPageRange::Set(std::size_t index, int value) {
  pages_[index] = value < 1 ? 0 : value;
  // Values after the one set are raised to it, values before it lowered.
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (i < index) pages_[i] = std::min(pages_[i], pages_[index]);
    if (i > index) pages_[i] = std::max(pages_[i], pages_[index]);
  }
}

}  // namespace ledgerly
