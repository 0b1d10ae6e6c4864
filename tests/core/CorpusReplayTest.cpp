// Every file of the fuzzers' corpus, and every input a fuzzer ever crashed on
// (kept in the same folder), through a whole run: the result database must be
// sound whatever the bytes, and the same whether a second thread writes it or
// it is kept in memory for the next run, as the fuzz targets keep it.
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "engine/TestRun.h"
#include "support/DbChecks.h"
#include "support/DbRows.h"
#include "support/ScriptedHost.h"
#include "support/Submission.h"
#include "support/TempFolder.h"

namespace ledgerly {
namespace {

namespace fs = std::filesystem;

// Every row of every table, in order, and the finished mark.
std::vector<std::vector<std::string>> Contents(const Database& db) {
  std::vector<std::vector<std::string>> rows = test::QueryRows(db, "PRAGMA user_version");
  for (const char* table : {"MISC", "RECORDS", "ERRORS", "TRT", "TRU"}) {
    for (auto& row : test::QueryRows(db, std::string("SELECT * FROM ") + table + " ORDER BY 1")) {
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

// The writes queued for a second thread leave the very database, and the same
// outcome, as writes done at once, and as one store in memory reused by every
// run: at the default and a low error limit, and on a submission longer than
// the queue, run through or stopped by Exit.
TEST(CorpusReplayTest, EveryInputLeavesASoundDatabaseWithOrWithoutTheWriterThread) {
  const std::unique_ptr<ResultStore> in_memory = ResultStore::CreateInMemory();
  test::TempFolder large;
  const std::string large_file = (large.path() / "large.txt").string();
  ASSERT_TRUE(test::WriteLargeSubmission(large_file, 6000, 7));
  struct Case {
    fs::path input;
    int error_limit;
    int stop_at_record_call;
  };
  std::vector<Case> cases = {{large_file, kMaxErrorLimit, -1}, {large_file, kMaxErrorLimit, 5000}};
  for (const auto& entry : fs::directory_iterator(fs::path(LEDGERLY_TEST_DATA) / "corpus")) {
    cases.push_back({entry.path(), kDefaultErrorLimit, -1});
    cases.push_back({entry.path(), 2, -1});
  }
  ASSERT_GE(cases.size(), 32u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input.filename().string() + " at limit " + std::to_string(c.error_limit));
    test::TempFolder dir;
    const std::deque<std::string> files =
        c.input == large_file ? std::deque<std::string>{large_file}
                              : test::WriteSubmissionFiles(dir, test::ReadFileText(c.input));
    RunResult results[3];  // inline, threaded, in memory
    for (const int way : {0, 1, 2}) {
      test::ScriptedHost host;
      host.files = files;
      host.stop_at_record_call = c.stop_at_record_call;
      if (way == 2) {
        results[way] = TestRun(host, *in_memory, c.error_limit, false).ReadFile();
        continue;
      }
      TestRun run(host, dir.path() / (way == 1 ? "threaded.MDB" : "inline.MDB"), c.error_limit,
                  way == 1);
      results[way] = run.ReadFile();
    }
    const fs::path threaded = dir.path() / "threaded.MDB";
    EXPECT_NE(results[1].outcome, RunOutcome::Failed);
    EXPECT_EQ(test::ResultDatabaseFaults(threaded), std::vector<std::string>{});
    EXPECT_EQ(std::to_string(results[1].errors),
              test::QueryValue(threaded, "SELECT COUNT(*) FROM ERRORS"));
    EXPECT_EQ(results[0].outcome, results[1].outcome);
    EXPECT_EQ(results[0].records, results[1].records);
    EXPECT_EQ(results[0].errors, results[1].errors);
    EXPECT_EQ(results[0].critical_rec_num, results[1].critical_rec_num);
    const auto contents = Contents(Database(threaded, Database::Mode::ReadOnly));
    EXPECT_EQ(Contents(Database(dir.path() / "inline.MDB", Database::Mode::ReadOnly)), contents);
    EXPECT_EQ(results[2].outcome, results[1].outcome);
    EXPECT_EQ(results[2].errors, results[1].errors);
    EXPECT_EQ(Contents(in_memory->database()), contents);
  }
}

}  // namespace
}  // namespace ledgerly
