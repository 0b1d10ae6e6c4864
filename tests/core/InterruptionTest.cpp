// ledgerly-cli on a large submission, interrupted at moments the seed picks:
// killed outright it must leave a sound database holding a prefix of the file's
// records; asked to stop (SIGTERM, SIGINT) it must end the run cleanly.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>

#include "cli/CliApp.h"
#include "support/ChildProcess.h"
#include "support/DbChecks.h"
#include "support/DbRows.h"
#include "support/Submission.h"
#include "support/TempFolder.h"
#include "support/TestPlatform.h"

namespace ledgerly {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Rows = std::vector<std::vector<std::string>>;

constexpr long long kRWRecords = 12000;
// The parts of the file the kill test sends are larger than the program's read block (1 MiB).
constexpr std::size_t kPartBytes = 3 << 19;
// Longer than the result store's commit interval.
constexpr auto kCommitPause = std::chrono::milliseconds(600);

// LEDGERLY_TEST_SEED repeats the moments of an earlier run; the seed is printed.
unsigned long long Seed() {
  const char* given = std::getenv("LEDGERLY_TEST_SEED");
  const unsigned long long seed = given ? std::strtoull(given, nullptr, 10) : 20261206;
  std::printf("[          ] LEDGERLY_TEST_SEED=%llu\n", seed);
  return seed;
}

// Waits up to a minute for the condition, looking every `step`.
template <typename Condition>
void AwaitUpTo(Condition done, std::chrono::microseconds step = std::chrono::microseconds(200)) {
  const auto give_up = Clock::now() + std::chrono::seconds(60);
  while (!done() && Clock::now() < give_up) std::this_thread::sleep_for(step);
}

class InterruptionTest : public ::testing::Test {
 protected:
  // One file and one complete run, kept as complete.MDB, serve every case.
  static void SetUpTestSuite() {
    dir_ = std::make_unique<test::TempFolder>();
    ASSERT_TRUE(test::WriteLargeSubmission(File(), kRWRecords, 7));
    test::ChildProcess cli = Start();
    cli.Wait();
    ASSERT_EQ(cli.exit_status(), kExitErrors);
    fs::copy_file(Db(), Complete());
    ASSERT_EQ(StoredRecords(Complete()), kRecords);
  }
  static void TearDownTestSuite() { dir_.reset(); }

  static std::string File() { return (dir_->path() / "large.txt").string(); }
  static fs::path Db() { return dir_->path() / "ERRORLOG.MDB"; }
  static fs::path Complete() { return dir_->path() / "complete.MDB"; }
  static test::ChildProcess Start(std::vector<std::string> files = {File()},
                                  bool input_pipe = false, std::uint64_t file_size_limit = 0,
                                  const std::string& stderr_name = "stderr.txt") {
    std::vector<std::string> args = {"--quiet", "--error-limit", "25000", "--db", Db().string()};
    args.insert(args.end(), files.begin(), files.end());
    return test::ChildProcess(
        LEDGERLY_CLI_PATH, args, dir_->path() / stderr_name,
        {{"LEDGERLY_HOME=" + dir_->path().string()}, false, file_size_limit, input_pipe});
  }
  // The first `records` records of db and the entries of the first `entries`.
  static Rows Stored(const fs::path& db, std::size_t records, std::size_t entries) {
    Rows rows = test::QueryRows(db, "SELECT Rec_Num, Record FROM RECORDS WHERE Rec_Num <= " +
                                        std::to_string(records) + " ORDER BY Rec_Num");
    for (auto& row : test::ErrorEntries(
             db, "WHERE Rec_Num <= " + std::to_string(entries) + " ORDER BY Err_Num")) {
      rows.push_back(std::move(row));
    }
    return rows;
  }
  static std::size_t StoredRecords(const fs::path& db) {
    return std::stoul(test::QueryValue(db, "SELECT COUNT(*) FROM RECORDS"));
  }
  // Records a running program has committed so far (none while its file is not in place).
  static std::size_t CommittedRecords() {
    try {
      return fs::exists(Db()) ? StoredRecords(Db()) : 0;
    } catch (const std::exception&) {
      return 0;  // the program holds the lock while it commits
    }
  }
  static void RemoveDatabase() {
    for (const char* suffix : {"", "-journal", "-new", "-new-journal"}) {
      fs::remove(Db().string() + suffix);
    }
  }
  // The database is sound and holds the first records of the file, in order,
  // with the complete run's entries for all but the last (which may carry the
  // entry of the run's end).
  static std::size_t ExpectSoundPrefix() {
    EXPECT_EQ(test::ResultDatabaseFaults(Db()), std::vector<std::string>{});
    const std::size_t stored = StoredRecords(Db());
    const std::size_t whole = stored == 0 ? 0 : stored - 1;
    EXPECT_EQ(Stored(Db(), stored, whole), Stored(Complete(), stored, whole));
    return stored;
  }
  template <typename Number>
  Number Pick(Number low, Number high) {
    return std::uniform_int_distribution<Number>(low, high)(random_);
  }

  static constexpr std::size_t kRecords = kRWRecords + 4;
  static inline std::unique_ptr<test::TempFolder> dir_;
  std::mt19937_64 random_{Seed()};
};

// Killed before its first record the run leaves the previous results as they
// were. Then the file goes to the program through a pipe in parts, with a pause
// longer than the commit interval before each part after the first: the run
// commits while it reads each part and then waits for the next, so the signal
// lands after a commit and before the end, after whichever part the seed picks.
// SIGKILL leaves the complete run's prefix; SIGTERM and SIGINT, with the rest of
// the file sent, end the run cleanly at the next record.
TEST_F(InterruptionTest, InterruptedTheResultsAreAPrefixOfTheCompleteRun) {
  const std::string content = test::ReadFileText(File());
  {
    const Rows before = Stored(Db(), kRecords, kRecords);
    test::ChildProcess cli = Start({"-"}, true);
    AwaitUpTo([] { return fs::exists(Db().string() + "-new"); });
    ASSERT_TRUE(cli.Feed(std::string_view(content).substr(0, 300)));
    cli.Signal(SIGKILL);
    cli.Wait();
    EXPECT_EQ(Stored(Db(), kRecords, kRecords), before);
  }
  const int parts = static_cast<int>((content.size() + kPartBytes - 1) / kPartBytes);
  ASSERT_GE(parts, 3);
  for (const int signal : {SIGKILL, SIGTERM, SIGKILL, SIGINT, SIGKILL, SIGTERM, SIGKILL}) {
    if (signal != SIGKILL && test::ConsoleEventsUnavailable()) continue;  // Wine: none to send
    const int parts_sent = Pick(1, parts - 1);
    SCOPED_TRACE("signal " + std::to_string(signal) + " after part " + std::to_string(parts_sent));
    RemoveDatabase();
    test::ChildProcess cli = Start({"-"}, true);
    for (int p = 0; p < parts_sent; ++p) {
      if (p > 0) std::this_thread::sleep_for(kCommitPause);
      ASSERT_TRUE(cli.Feed(std::string_view(content).substr(p * kPartBytes, kPartBytes)));
    }
    // Feed() returns once the program has read all but a pipe's worth of the parts,
    // so it has handled every whole read block before: the first commits the first
    // record, a later one, read after the pause, commits at its first record.
    const std::size_t committed_at_least = parts_sent == 1 ? 1 : 2;
    // The writer thread makes that commit a moment after the reader asks for it.
    AwaitUpTo([&] { return CommittedRecords() >= committed_at_least; },
              std::chrono::milliseconds(2));
    std::this_thread::sleep_for(std::chrono::milliseconds(Pick(0, 20)));
    cli.Signal(signal);
    if (signal != SIGKILL) cli.Feed(std::string_view(content).substr(parts_sent * kPartBytes));
    cli.EndInput();
    cli.Wait();
#ifndef _WIN32
    // The journal a kill leaves is as private as the database.
    for (const std::string suffix : {"", "-journal"}) {
      std::error_code ec;
      const auto perms = fs::status(Db().string() + suffix, ec).permissions();
      if (!ec) {
        EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
      }
    }
#endif
    const std::size_t stored = ExpectSoundPrefix();
    EXPECT_GE(stored, committed_at_least);
    EXPECT_LT(stored, kRecords);
    if (signal == SIGKILL) {
      EXPECT_EQ(Stored(Db(), stored, stored), Stored(Complete(), stored, stored));
      continue;
    }
    EXPECT_EQ(cli.exit_status(), kExitCritical) << "ended by signal " << cli.term_signal();
    // A clean end commits: no journal is left to play back.
    EXPECT_FALSE(fs::exists(Db().string() + "-journal"));
    EXPECT_EQ(test::ErrorEntries(Db(), "ORDER BY Err_Num DESC LIMIT 1"),
              (Rows{{std::to_string(stored), "", "Test Aborted", "Exit was chosen",
                     "The last file did not complete testing because the Exit Button was "
                     "selected while processing."}}));
  }
}

// Another program reads the new results across the run's commits, longer than
// SQLite's usual wait: the run waits for it and ends with the complete results.
TEST_F(InterruptionTest, AReaderAcrossCommitsHoldsTheRunUpButNeverFailsIt) {
  RemoveDatabase();
  const std::string content = test::ReadFileText(File());
  test::ChildProcess cli = Start({"-"}, true);
  ASSERT_TRUE(cli.Feed(std::string_view(content).substr(0, kPartBytes)));
  AwaitUpTo([] { return CommittedRecords() >= 1; });
  std::thread feeder;
  {
    const Database reader(Db(), Database::Mode::ReadOnly);
    Statement holding(reader, "SELECT COUNT(*) FROM RECORDS");
    ASSERT_TRUE(holding.Step());
    // The run reads on until it waits at a commit, or its queue fills behind one.
    feeder = std::thread([&] {
      cli.Feed(std::string_view(content).substr(kPartBytes));
      cli.EndInput();
    });
    std::this_thread::sleep_for(std::chrono::seconds(3));
  }
  feeder.join();
  cli.Wait();
  EXPECT_EQ(cli.exit_status(), kExitErrors);
  EXPECT_EQ(ExpectSoundPrefix(), kRecords);
}

// The disk fills after some commits, with more records than the largest
// transaction holds before it: what fitted stays, and the Critical entry on the
// last stored record keeps the system's reason.
TEST_F(InterruptionTest, AFullDiskKeepsWhatFitted) {
#ifdef _WIN32
  GTEST_SKIP() << "no file-size limit for a process on Windows";
#endif
  RemoveDatabase();
  const std::string huge = (dir_->path() / "huge.txt").string();
  ASSERT_TRUE(test::WriteLargeSubmission(huge, 80000));
  test::ChildProcess cli = Start({huge}, false, fs::file_size(huge) * 19 / 20);
  cli.Wait();
  fs::remove(huge);
  EXPECT_EQ(cli.exit_status(), kExitNotTested);
  EXPECT_EQ(test::ResultDatabaseFaults(Db()), std::vector<std::string>{});
  const std::size_t stored = StoredRecords(Db());
  EXPECT_GT(stored, 40000u);
  EXPECT_EQ(test::QueryValue(Db(), "SELECT Rec_Num || ' ' || Error FROM ERRORS WHERE Type = 'C'"),
            std::to_string(stored) +
                " Error Number: 778\r\nError Description: disk I/O error (File too large)");
}

// Runs on one database that start together, and a batch of them four at a
// time: one waits for the other, and the database holds one run's complete
// results, never a mixture or an empty file.
TEST_F(InterruptionTest, RunsOnOneDatabaseTakeTurns) {
  for (int trial = 0; trial < 6; ++trial) {
    const auto gap = std::chrono::milliseconds(Pick(0, 20));
    SCOPED_TRACE("start gap " + std::to_string(gap.count()) + " ms");
    test::ChildProcess first = Start();
    std::this_thread::sleep_for(gap);
    test::ChildProcess second = Start({File()}, false, 0, "stderr2.txt");
    first.Wait();
    second.Wait();
    EXPECT_EQ(first.exit_status(), kExitErrors);
    EXPECT_EQ(second.exit_status(), kExitErrors);
    EXPECT_EQ(ExpectSoundPrefix(), kRecords);
  }
#ifndef _WIN32  // the batch is a POSIX shell's pipeline
  const std::string batch =
      "printf '%s\\n' " + File() + " " + File() + " " + File() + " " + File() + " " + File() + " " +
      File() + " " + File() + " " + File() +
      " | xargs -P4 -I{} " LEDGERLY_CLI_PATH " --error-limit 25000 --db " + Db().string() +
      " {} 2>&1 | grep -c 'Records tested: " + std::to_string(kRecords) + "$'";
  std::FILE* pipe = ::popen(batch.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char tested[16] = {};
  EXPECT_NE(std::fgets(tested, sizeof tested, pipe), nullptr);
  ::pclose(pipe);
  EXPECT_STREQ(tested, "8\n");
  EXPECT_EQ(ExpectSoundPrefix(), kRecords);
#endif
}

}  // namespace
}  // namespace ledgerly
