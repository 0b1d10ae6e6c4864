// Every file of the fuzzers' corpus, and every input a fuzzer ever crashed on
// (kept in the same folder), through a whole run: the result database must be
// sound whatever the bytes.
#include <gtest/gtest.h>

#include "engine/TestRun.h"
#include "support/DbChecks.h"
#include "support/DbRows.h"
#include "support/ScriptedHost.h"
#include "support/Submission.h"
#include "support/TempFolder.h"

namespace ledgerly {
namespace {

namespace fs = std::filesystem;

TEST(CorpusReplayTest, EveryInputLeavesASoundDatabase) {
  const fs::path corpus = fs::path(LEDGERLY_TEST_DATA) / "corpus";
  int inputs = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    SCOPED_TRACE(entry.path().filename().string());
    test::TempFolder dir;
    test::ScriptedHost host;
    const std::string input = test::ReadFileText(entry.path());
    std::size_t start = 0;
    for (int n = 1;; ++n) {
      const std::size_t end = input.find(test::kNextFileMarker, start);
      host.files.push_back(
          dir.Write("file" + std::to_string(n) + ".txt",
                    input.substr(start, end == std::string::npos ? end : end - start)));
      if (end == std::string::npos) break;
      start = end + test::kNextFileMarker.size();
    }
    TestRun run(host, dir.path() / "ERRORLOG.MDB", kDefaultErrorLimit);
    const RunResult result = run.ReadFile();
    EXPECT_NE(result.outcome, RunOutcome::Failed);
    EXPECT_EQ(test::ResultDatabaseFaults(dir.path() / "ERRORLOG.MDB"), std::vector<std::string>{});
    EXPECT_EQ(std::to_string(result.errors),
              test::QueryValue(dir.path() / "ERRORLOG.MDB", "SELECT COUNT(*) FROM ERRORS"));
    ++inputs;
  }
  EXPECT_GE(inputs, 15);
}

}  // namespace
}  // namespace ledgerly
