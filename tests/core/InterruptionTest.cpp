// ledgerly-cli on a large submission, interrupted at random moments: killed
// outright it must leave a sound database holding a prefix of the file's
// records; asked to stop (SIGTERM, SIGINT) it must end the run cleanly.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "cli/CliApp.h"
#include "reports/ReportData.h"
#include "support/ChildProcess.h"
#include "support/DbChecks.h"
#include "support/DbRows.h"
#include "support/ScriptedHost.h"
#include "support/Submission.h"

namespace ledgerly {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Fewer under the sanitizers, where every run is several times slower.
#ifdef __SANITIZE_ADDRESS__
constexpr long long kRWRecords = 8000;
#else
constexpr long long kRWRecords = 40000;
#endif
constexpr int kMoments = 20;

class InterruptionTest : public ::testing::Test {
 protected:
  // One file and one complete run serve every case.
  static void SetUpTestSuite() {
    dir_ = new test::TempDir;
    ASSERT_TRUE(test::WriteLargeSubmission(File(), kRWRecords, 7));
    // The quicker of two complete runs (the first may wait for the file to be written out).
    full_run_ = Clock::duration::max();
    for (int run = 0; run < 2; ++run) {
      const auto start = Clock::now();
      test::ChildProcess cli = Start();
      cli.Wait();
      full_run_ = std::min(full_run_, Clock::now() - start);
      ASSERT_EQ(cli.exit_status(), kExitErrors);
    }
    std::printf("[          ] a complete run takes %.2f s\n",
                std::chrono::duration<double>(full_run_).count());
    complete_ = new std::vector<std::string>(StoredRecords());
    ASSERT_EQ(complete_->size(), static_cast<std::size_t>(kRWRecords + 4));
  }
  static void TearDownTestSuite() {
    delete complete_;
    delete dir_;
  }

  static std::string File() { return (dir_->path() / "large.txt").string(); }
  static fs::path Db() { return dir_->path() / "ERRORLOG.MDB"; }
  static test::ChildProcess Start(rlim_t file_size_limit = 0) {
    return test::ChildProcess(LEDGERLY_CLI_PATH,
                              {"--quiet", "--error-limit", "25000", "--db", Db().string(), File()},
                              dir_->path() / "stderr.txt",
                              {{"LEDGERLY_HOME=" + dir_->path().string()}, false, file_size_limit});
  }
  static std::vector<std::string> StoredRecords() {
    std::vector<std::string> records;
    for (auto& row : test::QueryRows(Db(), "SELECT Record FROM RECORDS ORDER BY Rec_Num")) {
      records.push_back(std::move(row[0]));
    }
    return records;
  }
  static void RemoveDatabase() {
    for (const char* suffix : {"", "-journal", "-new", "-new-journal"}) {
      fs::remove(Db().string() + suffix);
    }
  }
  // The database is sound and holds the first records of the file, in order.
  static std::size_t ExpectSoundPrefix() {
    EXPECT_EQ(test::ResultDatabaseFaults(Db()), std::vector<std::string>{});
    const std::vector<std::string> stored = StoredRecords();
    EXPECT_LE(stored.size(), complete_->size());
    for (std::size_t i = 0; i < stored.size() && i < complete_->size(); ++i) {
      if (stored[i] != (*complete_)[i]) {
        ADD_FAILURE() << "record " << i + 1 << " differs from the file's";
        break;
      }
    }
    return stored.size();
  }
  // After a failed write the last stored record carries the Critical entry, or
  // the file says the run did not finish: never results that read as complete.
  static void ExpectFailureRecorded() {
    const Database db(Db(), Database::Mode::ReadOnly);
    const ReportSummary summary = ReadReportSummary(db);
    if (!summary.run_finished) return;
    ASSERT_TRUE(summary.critical.has_value());
    EXPECT_EQ(summary.critical->rec_num, summary.records_tested);
    EXPECT_NE(summary.critical->error.find("Error Number: "), std::string::npos);
  }
  Clock::duration RandomMoment(double share) {
    std::uniform_int_distribution<Clock::rep> pick(
        0, static_cast<Clock::rep>(full_run_.count() * share));
    return Clock::duration(pick(random_));
  }

  static test::TempDir* dir_;
  static std::vector<std::string>* complete_;
  static Clock::duration full_run_;
  std::mt19937_64 random_{std::random_device{}()};
};

test::TempDir* InterruptionTest::dir_ = nullptr;
std::vector<std::string>* InterruptionTest::complete_ = nullptr;
Clock::duration InterruptionTest::full_run_{};

TEST_F(InterruptionTest, KilledAnywhereLeavesASoundPrefix) {
  int cut_short = 0;
  for (int i = 0; i < kMoments; ++i) {
    RemoveDatabase();
    test::ChildProcess cli = Start();
    std::this_thread::sleep_for(RandomMoment(1.1));
    cli.Signal(SIGKILL);
    cli.Wait();
    // Killed before the new database was in place: nothing to look at.
    if (!fs::exists(Db())) continue;
    SCOPED_TRACE("kill " + std::to_string(i + 1));
    const std::size_t stored = ExpectSoundPrefix();
    if (stored < complete_->size()) ++cut_short;
  }
  EXPECT_GT(cut_short, 0) << "no kill landed inside a run";
}

TEST_F(InterruptionTest, StopSignalsEndTheRunCleanly) {
  int aborted = 0;
  for (int i = 0; i < kMoments; ++i) {
    const int signal = i % 2 == 0 ? SIGTERM : SIGINT;
    SCOPED_TRACE(std::string(signal == SIGTERM ? "SIGTERM " : "SIGINT ") + std::to_string(i + 1));
    RemoveDatabase();
    test::ChildProcess cli = Start();
    // Once the database exists the program is past its start and handles the signal.
    const auto give_up = Clock::now() + std::chrono::seconds(60);
    while (!fs::exists(Db()) && Clock::now() < give_up) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::this_thread::sleep_for(RandomMoment(0.8));
    cli.Signal(signal);
    cli.Wait();
    ASSERT_TRUE(cli.exited()) << "ended by signal " << cli.term_signal();
    // A clean end commits: no journal is left to play back.
    EXPECT_FALSE(fs::exists(Db().string() + "-journal"));
    const std::size_t stored = ExpectSoundPrefix();
    const auto last = test::QueryRows(
        Db(),
        "SELECT Rec_Num, IFNULL(Type, ''), Reference, User_Entry, Error FROM ERRORS "
        "ORDER BY Err_Num DESC LIMIT 1");
    if (cli.exit_status() == kExitErrors) {
      // The run was over before the signal came.
      EXPECT_EQ(stored, complete_->size());
      continue;
    }
    ASSERT_EQ(cli.exit_status(), kExitCritical);
    ++aborted;
    if (stored == 0) continue;  // stopped before its first record
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0], (std::vector<std::string>{
                           std::to_string(stored), "", "Test Aborted", "Exit was chosen",
                           "The last file did not complete testing because the Exit Button was "
                           "selected while processing."}));
  }
  EXPECT_GT(aborted, 0) << "no signal landed inside a run";
}

TEST_F(InterruptionTest, FailedWritesLeaveAConsistentPrefix) {
  RemoveDatabase();
  Start().Wait();
  const auto full_size = static_cast<rlim_t>(fs::file_size(Db()));
  std::uniform_int_distribution<rlim_t> pick(full_size / 20, full_size * 3 / 4);
  for (int i = 0; i < 4; ++i) {
    const rlim_t limit = pick(random_);
    SCOPED_TRACE("disk full at " + std::to_string(limit) + " bytes");
    RemoveDatabase();
    test::ChildProcess cli = Start(limit);
    cli.Wait();
    EXPECT_EQ(cli.exit_status(), kExitNotTested);
    ExpectSoundPrefix();
    ExpectFailureRecorded();
  }

  SCOPED_TRACE("a reader holds its lock past the timeout");
  RemoveDatabase();
  test::ChildProcess cli = Start();
  while (!fs::exists(Db())) std::this_thread::sleep_for(std::chrono::microseconds(200));
  {
    const Database reader(Db(), Database::Mode::ReadOnly);
    Statement holding(reader, "SELECT COUNT(*) FROM RECORDS");
    ASSERT_TRUE(holding.Step());
    cli.Wait();
  }
  EXPECT_EQ(cli.exit_status(), kExitNotTested);
  ExpectSoundPrefix();
  ExpectFailureRecorded();
}

TEST_F(InterruptionTest, StopSignalDuringAReportRemovesIt) {
  RemoveDatabase();
  Start().Wait();
  const fs::path report = dir_->path() / "report.txt";
  auto write_report = [&] {
    return test::ChildProcess(
        LEDGERLY_CLI_PATH,
        {"--last", "--report", "text", "--db", Db().string(), "--output", report.string()},
        dir_->path() / "stderr.txt", {{"LEDGERLY_HOME=" + dir_->path().string()}});
  };
  // The quicker of two (the first may read a cold file).
  Clock::duration report_time = Clock::duration::max();
  for (int run = 0; run < 2; ++run) {
    const auto start = Clock::now();
    write_report().Wait();
    report_time = std::min(report_time, Clock::now() - start);
  }
  const std::string complete = test::ReadFileText(report);
  int stopped = 0;
  for (int i = 0; i < kMoments; ++i) {
    fs::remove(report);
    test::ChildProcess cli = write_report();
    std::this_thread::sleep_for(Clock::duration(std::uniform_int_distribution<Clock::rep>(
        report_time.count() / 10, report_time.count())(random_)));
    cli.Signal(SIGTERM);
    cli.Wait();
    if (!cli.exited()) continue;  // before the program took the signal over
    if (cli.exit_status() == kExitClean) {
      EXPECT_EQ(test::ReadFileText(report), complete);
      continue;
    }
    ++stopped;
    EXPECT_EQ(cli.exit_status(), kExitNotTested);
    EXPECT_NE(test::ReadFileText(dir_->path() / "stderr.txt").find("stopped by a signal"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(report));
  }
  EXPECT_GT(stopped, 0) << "no signal landed inside a report";
  for (const auto& entry : fs::directory_iterator(dir_->path())) {
    EXPECT_NE(entry.path().filename().string()[0], '.') << "a partial report was left";
  }
}

}  // namespace
}  // namespace ledgerly
