// Arbitrary bytes through the whole Test run: reader, record order, every
// record type's rules and the totals accumulators.
#include "fuzz/FuzzRun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  ledgerly::fuzz::RunOnBytes(data, size);
  return 0;
}
