#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliApp.h"
#include "cli/ReportOutput.h"
#include "support/DbRows.h"
#include "support/ScriptedHost.h"
#include "support/Submission.h"
#include "support/TempFolder.h"
#include "support/ValidRecords.h"

namespace ledgerly {
namespace {

using test::Submission;

class CliTest : public ::testing::Test {
 protected:
  int Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"ledgerly-cli", "--db", db().string()});
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    out_.str("");
    err_.str("");
    return RunCli(static_cast<int>(argv.size()), argv.data(), out_, err_);
  }
  std::filesystem::path db() const { return dir_.path() / "ERRORLOG.MDB"; }
  std::string File(const std::string& name, const std::string& content) {
    return dir_.Write(name, content);
  }

  test::TempFolder dir_;
  std::ostringstream out_, err_;
};

TEST_F(CliTest, ExitStatusTellsTheOutcome) {
  EXPECT_EQ(Cli({File("clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}))}), kExitClean);
  EXPECT_NE(err_.str().find("Results: Testing Completed.\nThere were no errors found."),
            std::string::npos);
  EXPECT_EQ(Cli({File("part.txt", Submission({"RA", "RE", "RW"}))}), kExitErrors);
  EXPECT_NE(err_.str().find("Missing Final Record: RF record was not found."), std::string::npos);
  EXPECT_EQ(Cli({File("bad.txt", Submission({"RA", "RW"}))}), kExitCritical);
  EXPECT_NE(err_.str().find("Critical Error in Record Number 2"), std::string::npos);
}

TEST_F(CliTest, SplitSubmissionTakesTheFilesInOrder) {
  const auto [first, second] = test::SplitSubmission({"RA", "RE", "RW", "RW", "RT", "RF"}, 3);
  EXPECT_EQ(Cli({File("a.txt", first), File("b.txt", second)}), kExitClean);
  EXPECT_EQ(test::QueryValue(db(), "SELECT COUNT(*) FROM RECORDS"), "6");
}

// The results are read from another folder later: a relative name would
// lose its file, so the full path is stored.
TEST_F(CliTest, ResultsNameARelativeFileByItsFullPath) {
  File("rel.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  const std::string full = (std::filesystem::current_path() / "rel.txt").string();
  const int status = Cli({"./rel.txt"});
  std::filesystem::current_path(before);
  EXPECT_EQ(status, kExitClean);
  EXPECT_EQ(test::QueryValue(db(), "SELECT Path FROM MISC"), full);
}

TEST_F(CliTest, UsageErrors) {
  const std::string file = File("clean.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
  for (const auto& [args, status] : std::vector<std::pair<std::vector<std::string>, int>>{
           {{}, kExitNotTested},
           {{"--error-limit", "0", file}, kExitNotTested},
           {{"--error-limit", "25001", file}, kExitNotTested},
           {{"--error-limit", "ten", file}, kExitNotTested},
           {{"--error-limit", "25000", file}, kExitClean},
           {{"--bogus", file}, kExitNotTested}}) {
    EXPECT_EQ(Cli(args), status) << testing::PrintToString(args);
  }
}

// A report on a terminal must not let a submission's bytes drive it.
TEST(TerminalTextTest, ControlCharactersShowVisibly) {
  const std::pair<std::string, std::string> cases[] = {
      {"\x1b[2J", "^[[2J"},                      // clears the screen
      {std::string("\0\x07\x7f", 3), "^@^G^?"},  // NUL, bell, DEL
      {"a\tb\r\n", "a\tb\r\n"},                  // the layout's own characters stay
      {"\xc3\xa9\xc2\x9b", "\xc3\xa9\xc2\x9b"},  // UTF-8 is not split
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(ShowControlCharacters(text), shown) << text;
}

TEST_F(CliTest, WritesTheReportOfTheRun) {
  const std::string file = File("bad.txt", Submission({"RA", "RW"}));
  const std::string report = (dir_.path() / "report.txt").string();
  EXPECT_EQ(Cli({"--report", "text", "--output", report, file}), kExitCritical);
  const std::string text = test::ReadFileText(report);
  EXPECT_NE(text.find("Record 2 must be RE record."), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

  EXPECT_EQ(Cli({"--report", "html", file}), kExitCritical);
  EXPECT_EQ(out_.str().rfind("<!DOCTYPE", 0), 0u);
}

TEST_F(CliTest, ReportsTheLastResultsWithoutTesting) {
  Cli({File("bad.txt", Submission({"RA", "RW"}))});
  EXPECT_EQ(Cli({"--last", "--report", "json"}), kExitClean);
  const auto report = nlohmann::json::parse(out_.str());
  EXPECT_EQ(report["records_tested"], 2);
  EXPECT_EQ(report["critical"]["rec_num"], 2);
  EXPECT_EQ(report["records"][0]["errors"][0]["error"], "Record 2 must be RE record.");

  EXPECT_EQ(Cli({"--last"}), kExitNotTested);  // nothing to write
  EXPECT_EQ(Cli({"--last", "--report", "text", "x.txt"}), kExitNotTested);
  std::filesystem::remove(db());
  EXPECT_EQ(Cli({"--last", "--report", "text"}), kExitNotTested);
  EXPECT_NE(err_.str().find("There are no test results in"), std::string::npos);
}

}  // namespace
}  // namespace ledgerly
