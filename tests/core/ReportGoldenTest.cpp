#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "reports/HtmlReport.h"
#include "reports/WriteReport.h"
#include "support/ResultDbBuilder.h"
#include "support/TempFolder.h"

// One folder per case under tests/data/reports: input.sql fills a fresh result
// database; expected.txt and expected.html are the exact report bytes,
// expected.json the report's JSON document.
namespace ledgerly {
namespace {

namespace fs = std::filesystem;

const fs::path kCasesFolder = fs::path(LEDGERLY_TEST_DATA) / "reports";

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kCasesFolder)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ReportGolden : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { db_.Exec(test::ReadFileText(folder() / "input.sql")); }
  fs::path folder() const { return kCasesFolder / GetParam(); }

  std::string Report(ReportFormat format) {
    std::string out;
    WriteReport(db_.path(), format, kDefaultWrapWidth,
                [&out](std::string_view piece) { out += piece; });
    return out;
  }

  test::ResultDbBuilder db_;
};

TEST_P(ReportGolden, EveryFormatGivesTheExpectedBytes) {
  const std::pair<ReportFormat, const char*> formats[] = {
      {ReportFormat::Text, "expected.txt"},
      {ReportFormat::Html, "expected.html"},
      {ReportFormat::Csv, "expected.csv"},
      {ReportFormat::Summary, "expected-summary.txt"}};
  for (const auto& [format, file] : formats) {
    EXPECT_EQ(Report(format), test::ReadFileText(folder() / file)) << file;
  }
}

TEST_P(ReportGolden, JsonParsesBackToTheExpectedDocument) {
  nlohmann::json report = nlohmann::json::parse(Report(ReportFormat::Json));
  EXPECT_EQ(report["version"], LEDGERLY_VERSION);
  report.erase("version");
  EXPECT_EQ(report, nlohmann::json::parse(test::ReadFileText(folder() / "expected.json")))
      << report.dump(2);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportGolden, testing::ValuesIn(CaseNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace ledgerly
