#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "cli/CliApp.h"
#include "cli/CliHost.h"
#include "cli/ReportOutput.h"
#include "engine/Settings.h"
#include "layout/RecordLayouts.h"
#include "platform/ReplacementFile.h"
#include "reports/Utf8Text.h"
#include "rules/Catalogue.h"
#include "rules/Causes.h"
#include "support/Submission.h"
#include "support/TempFolder.h"
#include "support/TestPlatform.h"

namespace ledgerly {
namespace {

// A report on a terminal must not let a submission's bytes drive it.
TEST(TerminalTextTest, ControlCharactersShowVisibly) {
  const std::pair<std::string, std::string> cases[] = {
      {"\x1b[2J", "^[[2J"},                              // clears the screen
      {std::string("\0\x07\x7f", 3), "^@^G^?"},          // NUL, bell, DEL
      {"a\tb\r\n", "a\tb\r\n"},                          // the layout's own characters stay
      {"\xc3\xa9\xe2\x82\xac", "\xc3\xa9\xe2\x82\xac"},  // UTF-8 is not split
      {"\xc2\x9b"
       "2J\xc2\x80",
       "M-^[2JM-^@"},            // C1 controls: CSI, PAD
      {"\x9d\x80", "M-^]M-^@"},  // the same outside UTF-8
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(ShowControlCharacters(text), shown) << text;
}

TEST(TerminalTextTest, BytesOutsideUtf8AreEscaped) {
  EXPECT_EQ(EscapeInvalidUtf8("/a\xc3\xa9/b\xff\xc3.txt"), "/a\xc3\xa9/b\\xFF\\xC3.txt");
  EXPECT_EQ(EscapeInvalidUtf8("\xed\xa0\x80\xc0\xaf"), "\\xED\\xA0\\x80\\xC0\\xAF");
}

// The data folder is the user's own, or there is none: never a shared folder.
TEST(DataFolderTest, IsTheUsersOwnOrNone) {
  namespace fs = std::filesystem;
  test::TempFolder dir;
  const fs::path shared = dir.path() / "shared", own = dir.path() / "own";
  fs::create_directory(shared);
  fs::permissions(shared, fs::perms::all);
  fs::create_directory(own);
  fs::permissions(own, fs::perms::owner_all);
  const fs::path xdg_folder = dir.path() / "Ledgerly";
  struct Row {
    const char* home;
    const char* xdg;
    fs::path program;
    fs::path chosen;  // empty: refused
  };
  const std::string base = dir.path().string();
#ifdef _WIN32
  // %LOCALAPPDATA% in the place of both; without modes any folder the user may
  // write to is theirs (its access list says who else may).
  const char* const names[] = {"LOCALAPPDATA", "LOCALAPPDATA"};
  const Row rows[] = {
      {nullptr, nullptr, "/", {}},
      {"relative", "relative", "/", {}},
      {nullptr, base.c_str(), "/", xdg_folder},
      {nullptr, nullptr, own, own},
      {nullptr, nullptr, shared, shared},
  };
#else
  const char* const names[] = {"HOME", "XDG_DATA_HOME"};
  const Row rows[] = {
      {nullptr, nullptr, shared, {}},
      {"relative", "", shared, {}},
      {"", base.c_str(), shared, xdg_folder},
      {nullptr, nullptr, own, own},
      {base.c_str(), nullptr, "/", dir.path() / ".local/share/Ledgerly"},
  };
#endif
  const std::string saved[] = {std::getenv(names[0]) ? std::getenv(names[0]) : "",
                               std::getenv("LEDGERLY_HOME") ? std::getenv("LEDGERLY_HOME") : ""};
  const auto set = test::SetEnvironment;
  set("LEDGERLY_HOME", nullptr);
  for (const Row& row : rows) {
    set(names[0], row.home);
    set(names[1], row.xdg);
    SCOPED_TRACE(row.program.string());
    if (row.chosen.empty()) {
      EXPECT_THROW(DataFolder(row.program), DataFolderError);
      continue;
    }
    EXPECT_EQ(DataFolder(row.program), row.chosen);
#ifndef _WIN32
    if (row.chosen != own) {
      EXPECT_EQ(fs::status(row.chosen).permissions(), fs::perms::owner_all);
    }
#endif
  }
  set(names[1], nullptr);
  set(names[0], saved[0].c_str());
  if (!saved[1].empty()) set("LEDGERLY_HOME", saved[1].c_str());
}

// Where there are no unnamed files, the next writer removes a dead writer's temporary.
TEST(ReplacementFileTest, NamedTemporaryOfADeadWriterIsRemoved) {
  test::TempFolder dir;
  const std::string dead = dir.Write(platform::ReplacementFile::TemporaryName(999999999), "x");
  const std::string live =
      dir.Write(platform::ReplacementFile::TemporaryName(test::AnotherLiveProcessId()), "x");
  {
    platform::ReplacementFile file(dir.path() / "report.txt", false);
    file.Write("report");
    EXPECT_TRUE(std::filesystem::exists(
        dir.path() / platform::ReplacementFile::TemporaryName(test::OwnProcessId())));
    file.Commit();
  }
  EXPECT_FALSE(std::filesystem::exists(dead));
  EXPECT_TRUE(std::filesystem::exists(live));
  EXPECT_EQ(test::ReadFileText(dir.path() / "report.txt"), "report");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

// Another program still reading the old report (which on Windows keeps it from
// being renamed over): the new one takes its place once that program lets go.
TEST(ReplacementFileTest, ReplacesAFileAnotherProgramHasOpen) {
  test::TempFolder dir;
  const std::string target = dir.Write("report.txt", "old");
  auto reader = std::make_unique<std::ifstream>(std::filesystem::path(target));
  ASSERT_TRUE(reader->is_open());
  std::thread closer([&reader] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    reader.reset();
  });
  platform::ReplacementFile file(target);
  file.Write("new");
  EXPECT_NO_THROW(file.Commit());
  closer.join();
  EXPECT_EQ(test::ReadFileText(target), "new");
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

// The layouts as data: the JSON lists every field of a type with the layout's
// positions; an unknown type is refused.
TEST(CliTest, PrintsTheRecordLayoutsAndTheChecks) {
  std::ostringstream out, err;
  const auto cli = [&](std::vector<const char*> argv) {
    argv.insert(argv.begin(), "ledgerly-cli");
    return RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
  };
  EXPECT_EQ(cli({"layout", "RW", "--format", "json"}), kExitClean);
  const auto listing = nlohmann::ordered_json::parse(out.str());
  ASSERT_EQ(listing.size(), 1u);
  EXPECT_EQ(listing[0]["fields"].size(), kRWLayout.size());
  EXPECT_EQ(listing[0]["fields"][18].dump(),
            R"({"field":18,"name":"Social Security Wages","reference":"Social Security Wages",)"
            R"("start":210,"end":220,"width":11,"check":"rule"})");
  out.str("");
  EXPECT_EQ(cli({"layout"}), kExitClean);
  EXPECT_NE(out.str().find("RV: no fields of its own are checked\n"), std::string::npos);
  EXPECT_EQ(cli({"layout", "RX"}), kExitNotTested);
  EXPECT_EQ(err.str(), "RX is not a record identifier (RA, RE, RW, RO, RS, RT, RU, RV or RF)\n");

  // The catalogue: one entry a code, each entry's field laid out where the layout says.
  out.str("");
  EXPECT_EQ(cli({"rules", "--format", "json"}), kExitClean);
  const auto checks = nlohmann::ordered_json::parse(out.str());
  EXPECT_EQ(checks.size(), AllChecks().size() + kCauses.size());
  for (const auto& check : checks) {
    if (check["field"].is_null()) continue;
    const auto& row = LayoutFor(check["record"].get<std::string>())[check["field"].get<int>()];
    EXPECT_EQ(check["start"], row.first) << check["code"];
  }
  out.str("");
  EXPECT_EQ(cli({"explain", "RT.03.total"}), kExitClean);
  EXPECT_EQ(out.str().substr(0, out.str().find("Message")),
            "RT.03.total\nSeverity: error\nField: RT field 3, Federal Income Tax Withheld, "
            "positions 25-39 (15 positions)\n");
  err.str("");
  EXPECT_EQ(cli({"explain", "RT.3.total"}), kExitNotTested);
  EXPECT_EQ(err.str(),
            "RT.3.total is not the code of a check; ledgerly-cli rules lists them all\n");
}

}  // namespace
}  // namespace ledgerly
