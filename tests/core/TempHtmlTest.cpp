#include <gtest/gtest.h>

#include "reports/HtmlReport.h"
#include "reports/TempHtml.h"
#include "reports/WriteReport.h"
#include "support/ResultDbBuilder.h"
#include "support/TempFolder.h"

namespace ledgerly {
namespace {

class TempHtml : public testing::Test {
 protected:
  std::filesystem::path Write(std::string text) { return WriteTempHtml(folder_.path(), text); }
  std::string Content() { return test::ReadFileText(folder_.path() / "temphtm.HTM"); }
  test::TempFolder folder_;
};

// A document type line starts a fresh file (exactly its nine characters do not);
// any other text is appended, and empty text becomes the placeholder page. A
// folder that is gone is an error.
TEST_F(TempHtml, ADocumentTypeLineStartsAFreshFile) {
  EXPECT_EQ(Write("<!DOCTYPE first>"), folder_.path() / "temphtm.HTM");
  Write("<tr>more</tr>");
  Write("<!DOCTYPE");
  EXPECT_EQ(Content(), "<!DOCTYPE first>\r\n<tr>more</tr>\r\n<!DOCTYPE\r\n");
  Write("<!DOCTYPE second>");
  EXPECT_EQ(Content(), "<!DOCTYPE second>\r\n");
  std::string text;
  WriteTempHtml(folder_.path(), text);
  EXPECT_EQ(text, "<HTML> </HTML>");
  EXPECT_EQ(Content(), "<HTML> </HTML>\r\n");
  EXPECT_THROW(WriteTempHtml(folder_.path() / "missing", text), std::filesystem::filesystem_error);
}

// A large report reaches the file in pieces of just over 64,000 characters,
// each followed by a line break, and nothing is lost or repeated.
TEST_F(TempHtml, SinkWritesTheReportInPieces) {
  test::ResultDbBuilder db;
  db.AddMisc("/data/big.txt", "01/15/2012");
  db.Exec("BEGIN");
  for (int rec = 1; rec <= 1000; ++rec) {
    db.AddRecord(rec, "RW", "123456789");
    db.AddError(rec, "Ref", "[x]", std::string(300, 'E'));
  }
  db.Exec("COMMIT");
  std::string html;
  WriteReport(db.path(), ReportFormat::Html, kDefaultWrapWidth,
              [&html](std::string_view piece) { html += piece; });

  Write("<!DOCTYPE old report>");
  TempHtmlSink sink(folder_.path());
  WriteReport(db.path(), ReportFormat::Html, kDefaultWrapWidth, sink);
  EXPECT_EQ(sink.Finish(), folder_.path() / "temphtm.HTM");

  std::string content = Content();
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

}  // namespace
}  // namespace ledgerly
