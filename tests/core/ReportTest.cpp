#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "reports/CiSupport.h"
#include "reports/CsvReport.h"
#include "reports/HtmlReport.h"
#include "reports/SummaryReport.h"
#include "reports/TempHtml.h"
#include "reports/WriteReport.h"
#include "support/ResultDbBuilder.h"
#include "support/TempFolder.h"

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

// A submission whose names hold markup must not put markup into the page; the
// other formats keep the values as they are.
TEST(HostileRecord, OnlyHtmlEscapesTheDatabaseValues) {
  test::ResultDbBuilder db;
  db.AddMisc("C:\\A&B\\<x>.txt", "01/15/2012\"");
  db.AddRecord(1, "R<", "<b>&\"1\"");
  db.AddError(1, "<script>alert(\"x\")</script>", "[<script>&</script>]", "A & B <i>");
  db.AddError(1, "Sequence of Records [Position 1 - 2]", "[R<]", "<stop> & go", true);
  const std::string html = Report(db, ReportFormat::Html, 10);
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

  const std::string text = Report(db, ReportFormat::Text);
  EXPECT_TRUE(Contains(text, "Reference: \t\t<script>alert(\"x\")</script>\r\n"));
  EXPECT_TRUE(Contains(text, "Code: R<    SSN: <b>&\"1\"\r\n"));

  const auto json = nlohmann::json::parse(Report(db, ReportFormat::Json));
  EXPECT_EQ(json["files"][0], "C:\\A&B\\<x>.txt");
  EXPECT_EQ(json["critical"]["error"], "<stop> & go");
  EXPECT_EQ(json["records"][0]["errors"][0]["user_entry"], "[<script>&</script>]");

  EXPECT_EQ(
      Report(db, ReportFormat::Csv),
      "rec_num,id,identification,err_num,type,reference,user_entry,error,code,user_entry_bytes\r\n"
      "1,\"R<\",\"SSN: <b>&\"\"1\"\"\",1,\"\",\"<script>alert(\"\"x\"\")</script>\","
      "\"[<script>&</script>]\",\"A & B <i>\",\"\",\"\"\r\n"
      "1,\"R<\",\"SSN: <b>&\"\"1\"\"\",2,\"C\",\"Sequence of Records [Position 1 - 2]\","
      "\"[R<]\",\"<stop> & go\",\"\",\"\"\r\n");

  // The CI formats' XML escapes the same markup, apostrophes, and what XML forbids.
  EXPECT_EQ(XmlEscaped("<a b='c'>&\"\x01\t\r\n"), "&lt;a b=&apos;c&apos;&gt;&amp;&quot;?\t\r\n");
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
  EXPECT_EQ(Report(db, ReportFormat::Summary),
            "Count  Reference  Error Description  First Records\n"
            "    7  Name       Bad name.          2, 3, 6, 7, 8\n"
            "    2  City       Bad city.          1, 5\n"
            "    2  Zip        Bad zip.           4, 5\n"
            "    1  Zip        Other zip.         1\n");
}

// '|' in the expected text stands for the tag.
TEST(BreakUserEntry, InsertsTheTagBeforeEveryMultipleOfTheWidth) {
  const std::string a56(56, 'a');
  std::string e56;  // 56 characters of two bytes each
  for (int i = 0; i < 56; ++i) e56 += "\xC3\xA9";
  const std::tuple<std::string, int, std::string> cases[] = {
      {a56, 57, a56},                                          // shorter than the width
      {a56 + "b", 57, a56 + "|b"},                             // exactly the width
      {a56 + "b" + a56 + "cc", 57, a56 + "|b" + a56 + "|cc"},  // two breaks
      {a56 + "&b", 57, a56 + "|&amp;b"},                       // escaped after breaking
      {e56, 57, e56},                                          // characters, not bytes, count
      {e56 + "z", 57, e56 + "|z"},                             // a character is never split
      {"ab", 1, "|a|b"},                                       // before every character
      {a56 + a56, 0, a56 + a56},                               // no screen width left
  };
  for (const auto& [entry, width, expected] : cases) {
    std::string tagged;
    for (char c : expected) tagged += c == '|' ? std::string(kTag) : std::string(1, c);
    EXPECT_EQ(BreakUserEntry(entry, width), tagged) << entry << " " << width;
  }
}

TEST(WrapWidthForScreen, RoundsHalvesToEven) {
  const std::vector<std::pair<int, int>> cases = {{1024, 57}, {800, 35},  {1025, 58}, {1035, 58},
                                                  {1045, 60}, {1366, 92}, {1920, 147}};
  for (const auto& [pixels, width] : cases) EXPECT_EQ(WrapWidthForScreen(pixels), width) << pixels;
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

  std::string html, json;
  for (ReportFormat format :
       {ReportFormat::Text, ReportFormat::Html, ReportFormat::Json, ReportFormat::Csv}) {
    std::size_t largest = 0, total = 0, pieces = 0;
    WriteReport(db.path(), format, kDefaultWrapWidth, [&](std::string_view piece) {
      largest = std::max(largest, piece.size());
      total += piece.size();
      ++pieces;
      if (format == ReportFormat::Json) json += piece;
      if (format == ReportFormat::Html) html += piece;
    });
    EXPECT_LT(largest, 2048u);
    EXPECT_GT(total, 1000000u);
    EXPECT_GE(pieces, 3u * kRecords);
  }
  const auto doc = nlohmann::json::parse(json);
  EXPECT_EQ(doc["records"].size(), static_cast<std::size_t>(kRecords));
  EXPECT_EQ(doc["errors_found"], 3 * kRecords);

  // The browser's page gets the HTML in a fresh file, in pieces of just over 64,000
  // characters each followed by a line break, nothing lost or repeated.
  test::TempFolder folder;
  std::string old_page = "<!DOCTYPE old report>";
  WriteTempHtml(folder.path(), old_page);
  TempHtmlSink sink(folder.path());
  WriteReport(db.path(), ReportFormat::Html, kDefaultWrapWidth, sink);
  const std::string content = test::ReadFileText(sink.Finish());
  std::vector<std::size_t> piece_sizes;
  std::string joined;
  for (std::size_t start = 0, end; (end = content.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    piece_sizes.push_back(end - start);
    joined += content.substr(start, end - start);
  }
  EXPECT_EQ(joined, html);
  ASSERT_GT(piece_sizes.size(), 2u);
  for (std::size_t i = 0; i + 1 < piece_sizes.size(); ++i) {
    EXPECT_GT(piece_sizes[i], 64000u);
    EXPECT_LT(piece_sizes[i], 66000u);
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

// Text that is not UTF-8, or no errors at all, still give a valid document.
TEST(ReportJson, IsAlwaysAValidDocument) {
  test::ResultDbBuilder db;
  db.AddMisc("/data/clean.txt", "01/15/2012");
  db.AddRecord(1, "RA");
  const auto clean = nlohmann::json::parse(Report(db, ReportFormat::Json));
  EXPECT_TRUE(clean["critical"].is_null());
  EXPECT_EQ(clean["errors_found"], 0);
  EXPECT_TRUE(clean["records"].is_array() && clean["records"].empty());
  EXPECT_TRUE(clean["summary"].is_array() && clean["summary"].empty());

  db.AddRecord(2, "RW", "123456789");
  db.AddError(2, "Ref", "[\xE9t\xE9]", "Bad.");
  const auto json = nlohmann::json::parse(Report(db, ReportFormat::Json));
  EXPECT_EQ(json["records"][0]["errors"][0]["user_entry"], "[\xEF\xBF\xBDt\xEF\xBF\xBD]");
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
