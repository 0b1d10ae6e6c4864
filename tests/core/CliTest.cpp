#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliApp.h"
#include "cli/CliHost.h"
#include "cli/ReportOutput.h"
#include "support/Submission.h"
#include "support/TempFolder.h"

namespace ledgerly {
namespace {

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

// The report of a run, saved to a file, and the report of the last results, on
// stdout; a report stopped by a signal leaves nothing behind.
TEST(CliTest, WritesTheReportOfTheRunAndOfTheLastResults) {
  test::TempFolder dir;
  std::ostringstream out, err;
  const auto cli = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"ledgerly-cli", "--db", (dir.path() / "ERRORLOG.MDB").string()});
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    return RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  };
  const std::string report = (dir.path() / "report.txt").string();
  EXPECT_EQ(cli({"--report", "text", "--output", report,
                 dir.Write("bad.txt", test::Submission({"RA", "RW"}))}),
            kExitCritical);
  const std::string text = test::ReadFileText(report);
  EXPECT_NE(text.find("Record 2 must be RE record."), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

  EXPECT_EQ(cli({"--last", "--report", "json"}), kExitClean) << err.str();
  const auto json = nlohmann::json::parse(out.str());
  EXPECT_EQ(json["records_tested"], 2);
  EXPECT_EQ(json["critical"]["rec_num"], 2);
  EXPECT_EQ(json["records"][0]["errors"][0]["error"], "Record 2 must be RE record.");

  std::filesystem::remove(report);
  CliHost::stop_requested = true;
  EXPECT_EQ(cli({"--last", "--report", "text", "--output", report}), kExitNotTested);
  CliHost::stop_requested = false;
  EXPECT_NE(err.str().find("The report was stopped by a signal\n"), std::string::npos);
  // bad.txt, the database and its lock file
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

}  // namespace
}  // namespace ledgerly
