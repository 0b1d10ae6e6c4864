#include <gtest/gtest.h>

#include "reports/TempHtml.h"
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
// folder that is gone, or a disk that is full, is an error.
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
#ifndef _WIN32  // no device of a full disk there
  std::filesystem::create_directory(folder_.path() / "full");
  std::filesystem::create_symlink("/dev/full", folder_.path() / "full" / "temphtm.HTM");
  EXPECT_THROW(WriteTempHtml(folder_.path() / "full", text), std::filesystem::filesystem_error);
#endif
}

}  // namespace
}  // namespace ledgerly
