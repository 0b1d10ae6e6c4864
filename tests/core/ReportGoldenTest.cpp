#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "reports/HtmlReport.h"
#include "reports/WriteReport.h"
#include "support/ResultDbBuilder.h"

// One folder per case under tests/data/reports: input.sql fills a fresh result
// database; expected.txt and expected.html are the exact report bytes,
// expected.json the report's JSON document.
namespace ledgerly {
namespace {

namespace fs = std::filesystem;

fs::path CasesFolder() {
  return fs::path(LEDGERLY_TEST_DATA) / "reports";
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(CasesFolder())) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

class ReportGolden : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { db_.Exec(ReadFile(folder() / "input.sql")); }
  fs::path folder() const { return CasesFolder() / GetParam(); }

  std::string Report(ReportFormat format) {
    std::string out;
    WriteReport(db_.path(), format, kDefaultWrapWidth,
                [&out](std::string_view piece) { out += piece; });
    return out;
  }

  test::ResultDbBuilder db_;
};

TEST_P(ReportGolden, Text) {
  EXPECT_EQ(Report(ReportFormat::Text), ReadFile(folder() / "expected.txt"));
}

TEST_P(ReportGolden, Html) {
  EXPECT_EQ(Report(ReportFormat::Html), ReadFile(folder() / "expected.html"));
}

TEST_P(ReportGolden, Csv) {
  EXPECT_EQ(Report(ReportFormat::Csv), ReadFile(folder() / "expected.csv"));
}

TEST_P(ReportGolden, Summary) {
  EXPECT_EQ(Report(ReportFormat::Summary), ReadFile(folder() / "expected-summary.txt"));
}

TEST_P(ReportGolden, JsonParsesBackToTheExpectedDocument) {
  const nlohmann::json report = nlohmann::json::parse(Report(ReportFormat::Json));
  const nlohmann::json expected = nlohmann::json::parse(ReadFile(folder() / "expected.json"));
  EXPECT_EQ(report, expected) << report.dump(2);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportGolden, testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace ledgerly
