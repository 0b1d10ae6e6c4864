// Writes the fuzzers' seed corpus: small submissions built from the test
// builders (valid, faulty and broken), one file each, into the given folder.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/RecordBuilder.h"
#include "support/Submission.h"
#include "support/ValidRecords.h"

using namespace ledgerly::test;

namespace {

std::string WithField(std::string content, std::size_t record, int position,
                      std::string_view text) {
  std::string rec = content.substr(record * 514, 512);
  Put(rec, position, text);
  return content.replace(record * 514, 512, rec);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: ledgerly-make-corpus FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const auto [first, second] = SplitSubmission({"RA", "RE", "RW", "RO", "RT", "RU", "RF"}, 3);
  const std::string clean = Submission({"RA", "RE", "RW", "RT", "RF"});
  const std::vector<std::pair<std::string, std::string>> seeds = {
      {"clean", clean},
      {"clean-no-breaks", Submission({"RA", "RE", "RW", "RT", "RF"}, "")},
      {"optional", Submission({"RA", "RE", "RW", "RO", "RW", "RO", "RT", "RU", "RF"}, "\n")},
      {"two-employers", Submission({"RA", "RE", "RW", "RT", "RE", "RW", "RO", "RT", "RU", "RF"})},
      {"state", Submission({"RA", "RE", "RW", "RS", "RT", "RV", "RF"})},
      {"split", first + std::string(kNextFileMarker) + second},
      {"faulty-wages", WithField(clean, 2, 210, "12345ABCDEF")},
      {"faulty-employer", WithField(WithField(clean, 1, 8, "ABCDEFGHI"), 1, 4, "20X1")},
      {"faulty-totals", WithField(clean, 3, 25, "99999999999")},
      {"wrong-order", Submission({"RA", "RE", "RO", "RF", "RW"})},
      {"missing-final", Submission({"RA", "RE", "RW"})},
      {"short-record", clean.substr(0, 514 * 2 + 300)},
      {"lower-case", Submission({"ra", "re", "rw", "rt", "rf"})},
      {"end-marker", clean + "\x1a"},
      {"corrections", "RCA" + std::string(509, ' ')},
  };
  for (const auto& [name, content] : seeds) {
    std::ofstream(folder / (name + ".txt"), std::ios::binary | std::ios::trunc) << content;
  }
  return 0;
}
