#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "reports/CsvReport.h"
#include "reports/ErrorSummary.h"
#include "reports/HtmlReport.h"
#include "reports/SummaryReport.h"
#include "reports/WriteReport.h"
#include "support/ResultDbBuilder.h"

namespace ledgerly {
namespace {

constexpr std::string_view kTag = "</pre><pre>";

std::string Report(const test::ResultDbBuilder& db, ReportFormat format,
                   int wrap_width = kDefaultWrapWidth) {
  std::string out;
  WriteReport(db.path(), format, wrap_width, [&out](std::string_view piece) { out += piece; });
  return out;
}

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

// A submission whose names hold markup must not put markup into the page.
class HostileRecord : public testing::Test {
 protected:
  void SetUp() override {
    db_.AddMisc("C:\\A&B\\<x>.txt", "01/15/2012\"");
    db_.AddRecord(1, "R<", "<b>&\"1\"");
    db_.AddError(1, "<script>alert(\"x\")</script>", "[<script>&</script>]", "A & B <i>");
    db_.AddError(1, "Sequence of Records [Position 1 - 2]", "[R<]", "<stop> & go", true);
  }
  test::ResultDbBuilder db_;
};

TEST_F(HostileRecord, HtmlEscapesEveryDatabaseValue) {
  const std::string html = Report(db_, ReportFormat::Html, 10);
  EXPECT_FALSE(Contains(html, "<script")) << html;
  EXPECT_FALSE(Contains(html, "<x>"));
  EXPECT_FALSE(Contains(html, "<stop>"));
  EXPECT_TRUE(
      Contains(html, "<P>Generated from: C:\\A&amp;B\\&lt;x&gt;.txt<P><P>01/15/2012&quot;<P>"));
  EXPECT_TRUE(Contains(html,
                       "<b>Execution of Testing was terminated due to the Critical Error in Record "
                       "Number 1:  \r\n<BR>&lt;stop&gt; &amp; go\r\n</b><P>"));
  EXPECT_TRUE(Contains(html,
                       "<b>Record number: 1&nbsp;&nbsp;&nbsp;&nbsp;Code: R&lt;&nbsp&nbsp&nbsp&nbsp;"
                       "SSN: &lt;b&gt;&amp;&quot;1&quot;</b></td></tr>"));
  // Broken at characters 10 and 20 of the raw entry, then each piece escaped.
  EXPECT_TRUE(Contains(html,
                       "<tr><td align=\"center\" valign=\"center\">1</td><td WIDTH=\"30%\" "
                       "valign=\"center\">&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;</td>"
                       "<td valign=\"center\"><pre>[&lt;script&gt;</pre><pre>&amp;&lt;/script&gt;"
                       "</pre><pre>]</pre></td><td WIDTH=\"35%\" valign=\"center\">A &amp; B "
                       "&lt;i&gt;</td></tr>"))
      << html;
}

TEST_F(HostileRecord, TextAndJsonKeepTheValuesAsTheyAre) {
  const std::string text = Report(db_, ReportFormat::Text);
  EXPECT_TRUE(Contains(text, "Reference: \t\t<script>alert(\"x\")</script>\r\n"));
  EXPECT_TRUE(Contains(text, "Code: R<    SSN: <b>&\"1\"\r\n"));

  const auto json = nlohmann::json::parse(Report(db_, ReportFormat::Json));
  EXPECT_EQ(json["files"][0], "C:\\A&B\\<x>.txt");
  EXPECT_EQ(json["critical"]["error"], "<stop> & go");
  EXPECT_EQ(json["records"][0]["errors"][0]["user_entry"], "[<script>&</script>]");

  EXPECT_EQ(Report(db_, ReportFormat::Csv),
            "rec_num,id,identification,err_num,type,reference,user_entry,error\r\n"
            "1,\"R<\",\"SSN: <b>&\"\"1\"\"\",1,\"\",\"<script>alert(\"\"x\"\")</script>\","
            "\"[<script>&</script>]\",\"A & B <i>\"\r\n"
            "1,\"R<\",\"SSN: <b>&\"\"1\"\"\",2,\"C\",\"Sequence of Records [Position 1 - 2]\","
            "\"[R<]\",\"<stop> & go\"\r\n");
}

// A spreadsheet must see text, never a formula, and the quoting must survive
// separators and line breaks.
TEST(CsvField, QuotesAndDisarmsFormulas) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "\"\""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},
      {"=cmd|' /C calc'!A0", "\"'=cmd|' /C calc'!A0\""},
      {"+1", "\"'+1\""},
      {"-2+3", "\"'-2+3\""},
      {"@SUM(A1)", "\"'@SUM(A1)\""},
      {"\t=1", "\"'\t=1\""},
      {"[=1]", "\"[=1]\""},
      {"a=1", "\"a=1\""},
  };
  for (const auto& [value, field] : cases) EXPECT_EQ(CsvField(value), field) << value;
}

// Which mistakes dominate: counted per Reference and Error, the first five
// distinct records ascending, most frequent first, ties by Reference.
TEST(ErrorSummary, GroupsCountsAndSorts) {
  test::ResultDbBuilder db;
  for (int rec = 1; rec <= 9; ++rec) db.AddRecord(rec, "RW", "123456789");
  for (int rec : {9, 8, 2, 7, 3, 3, 6}) db.AddError(rec, "Name", "[x]", "Bad name.");
  db.AddError(4, "Zip", "[x]", "Bad zip.");
  db.AddError(5, "Zip", "[y]", "Bad zip.");
  db.AddError(5, "City", "[x]", "Bad city.");
  db.AddError(1, "City", "[x]", "Bad city.");
  db.AddError(1, "Zip", "[x]", "Other zip.");

  const std::vector<ErrorSummaryRow> rows =
      ReadErrorSummary(Database(db.path(), Database::Mode::ReadOnly));
  const std::vector<std::tuple<int64_t, std::string, std::string, std::vector<int64_t>>> expected =
      {
          {7, "Name", "Bad name.", {2, 3, 6, 7, 8}},
          {2, "City", "Bad city.", {1, 5}},
          {2, "Zip", "Bad zip.", {4, 5}},
          {1, "Zip", "Other zip.", {1}},
      };
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(std::tie(rows[i].count, rows[i].reference, rows[i].error, rows[i].first_rec_nums),
              expected[i])
        << i;
  }

  const auto json = nlohmann::json::parse(Report(db, ReportFormat::Json));
  EXPECT_EQ(json["summary"][0],
            nlohmann::json::parse(R"({"count":7,"reference":"Name",)"
                                  R"("error":"Bad name.","first_rec_nums":[2,3,6,7,8]})"));
  EXPECT_EQ(json["summary"].size(), 4u);
  EXPECT_EQ(Report(db, ReportFormat::Summary),
            "Count  Reference  Error Description  First Records\n"
            "    7  Name       Bad name.          2, 3, 6, 7, 8\n"
            "    2  City       Bad city.          1, 5\n"
            "    2  Zip        Bad zip.           4, 5\n"
            "    1  Zip        Other zip.         1\n");
}

struct BreakCase {
  const char* name;
  std::string entry;
  int wrap_width;
  std::string expected;
};

std::string Digits(int length) {
  std::string text;
  for (int i = 0; i < length; ++i) text += static_cast<char>('0' + i % 10);
  return text;
}

TEST(BreakUserEntry, InsertsTheTagBeforeEveryMultipleOfTheWidth) {
  const std::string e_acute = "\xC3\xA9";
  std::string many_e;
  for (int i = 0; i < 56; ++i) many_e += e_acute;
  const std::string d120 = Digits(120);
  const std::string d57 = Digits(57);
  const std::vector<BreakCase> cases = {
      {"shorter than the width", Digits(56), 57, Digits(56)},
      {"exactly the width", d57, 57, d57.substr(0, 56) + std::string(kTag) + d57.substr(56)},
      {"120 characters", d120, 57,
       d120.substr(0, 56) + std::string(kTag) + d120.substr(56, 57) + std::string(kTag) +
           d120.substr(113)},
      {"escaped after breaking", std::string(56, 'a') + "&b", 57,
       std::string(56, 'a') + std::string(kTag) + "&amp;b"},
      {"characters, not bytes, are counted", many_e, 57, many_e},
      {"a multi-byte character is not split", many_e + "z", 57, many_e + std::string(kTag) + "z"},
      {"width one breaks before every character", "ab", 1,
       std::string(kTag) + "a" + std::string(kTag) + "b"},
      {"no screen width left", Digits(80), 0, Digits(80)},
  };
  for (const BreakCase& c : cases) {
    EXPECT_EQ(BreakUserEntry(c.entry, c.wrap_width), c.expected) << c.name;
  }
}

TEST(WrapWidthForScreen, RoundsHalvesToEven) {
  const std::vector<std::pair<int, int>> cases = {{1024, 57}, {800, 35},  {1025, 58}, {1035, 58},
                                                  {1045, 60}, {1366, 92}, {1920, 147}};
  for (const auto& [pixels, width] : cases) {
    EXPECT_EQ(WrapWidthForScreen(pixels), width) << pixels;
  }
}

TEST(ReportCounts, TextKeepsTheLastTenDigits) {
  const std::vector<std::pair<int64_t, std::string>> cases = {
      {7, "         7 Record(s) tested"},
      {1234567890, "1234567890 Record(s) tested"},
      {12345678901, "2345678901 Record(s) tested"},
  };
  for (const auto& [last_rec_num, line] : cases) {
    test::ResultDbBuilder db;
    db.AddRecord(1, "RW", "123456789");
    db.AddRecord(last_rec_num, "RF");
    db.AddError(1, "Ref", "[x]", "Bad.");
    EXPECT_TRUE(Contains(Report(db, ReportFormat::Text), "\r\n" + line + "\r\n")) << line;
    if (last_rec_num > 9999999999) {
      EXPECT_TRUE(Contains(Report(db, ReportFormat::Html),
                           "align=right>12345678901</td><td>Record(s) tested"));
      EXPECT_EQ(nlohmann::json::parse(Report(db, ReportFormat::Json))["records_tested"],
                12345678901);
    }
  }
}

// Many errors: the report arrives in small pieces, never as one string.
TEST(ReportStreaming, PiecesStaySmallForEveryFormat) {
  test::ResultDbBuilder db;
  db.AddMisc("/data/big.txt", "01/15/2012");
  db.Exec("BEGIN");
  constexpr int kRecords = 4000;
  for (int rec = 1; rec <= kRecords; ++rec) {
    db.AddRecord(rec, "RW", "123456789");
    for (int e = 0; e < 3; ++e) db.AddError(rec, "Ref", "[" + std::string(80, 'X') + "]", "Bad.");
  }
  db.Exec("COMMIT");

  for (ReportFormat format :
       {ReportFormat::Text, ReportFormat::Html, ReportFormat::Json, ReportFormat::Csv}) {
    std::size_t largest = 0, total = 0, pieces = 0;
    std::string json;
    WriteReport(db.path(), format, kDefaultWrapWidth, [&](std::string_view piece) {
      largest = std::max(largest, piece.size());
      total += piece.size();
      ++pieces;
      if (format == ReportFormat::Json) json += piece;
    });
    EXPECT_LT(largest, 2048u);
    EXPECT_GT(total, 1000000u);
    EXPECT_GE(pieces, 3u * kRecords);
    if (format == ReportFormat::Json) {
      const auto doc = nlohmann::json::parse(json);
      EXPECT_EQ(doc["records"].size(), static_cast<std::size_t>(kRecords));
      EXPECT_EQ(doc["errors_found"], 3 * kRecords);
    }
  }
}

// The preview's "too large" answer ends the report: no further rows are written.
TEST(ReportStreaming, SinkCanEndTheReportAfterAnErrorBlock) {
  class StopAfterTwo : public ReportSink {
   public:
    void Write(std::string_view piece) override { text += piece; }
    bool ErrorBlockDone() override { return ++blocks < 2; }
    std::string text;
    int blocks = 0;
  };
  test::ResultDbBuilder db;
  for (int rec = 1; rec <= 3; ++rec) {
    db.AddRecord(rec, "RW", "123456789");
    db.AddError(rec, "Ref " + std::to_string(rec), "[x]", "Bad.");
  }
  StopAfterTwo sink;
  WriteReport(db.path(), ReportFormat::Html, kDefaultWrapWidth, sink);
  EXPECT_TRUE(Contains(sink.text, "Ref 2"));
  EXPECT_FALSE(Contains(sink.text, "Ref 3"));
  EXPECT_FALSE(Contains(sink.text, "</html>"));
}

TEST(ReportJson, TextThatIsNotUtf8StillGivesAValidDocument) {
  test::ResultDbBuilder db;
  db.AddRecord(1, "RW", "123456789");
  db.AddError(1, "Ref", "[\xE9t\xE9]", "Bad.");
  const auto json = nlohmann::json::parse(Report(db, ReportFormat::Json));
  EXPECT_EQ(json["records"][0]["errors"][0]["user_entry"], "[\xEF\xBF\xBDt\xEF\xBF\xBD]");
}

TEST(ReportJson, RunWithoutErrorsIsStillAValidDocument) {
  test::ResultDbBuilder db;
  db.AddMisc("/data/clean.txt", "01/15/2012");
  db.AddRecord(1, "RA");
  const auto json = nlohmann::json::parse(Report(db, ReportFormat::Json));
  EXPECT_TRUE(json["critical"].is_null());
  EXPECT_EQ(json["errors_found"], 0);
  EXPECT_TRUE(json["records"].is_array() && json["records"].empty());
  EXPECT_TRUE(json["summary"].is_array() && json["summary"].empty());
}

TEST(WriteReport, MissingDatabaseIsAnErrorAndIsNotCreated) {
  test::TempFolder folder;
  const auto path = folder.path() / "ERRORLOG.MDB";
  EXPECT_THROW(WriteReport(path, ReportFormat::Text, kDefaultWrapWidth, [](std::string_view) {}),
               StoreError);
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace ledgerly
