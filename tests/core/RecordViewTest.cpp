#include <gtest/gtest.h>

#include <set>

#include "engine/TestRun.h"
#include "layout/RecordLayouts.h"
#include "support/RecordBuilder.h"
#include "support/RunFixture.h"
#include "support/Submission.h"
#include "support/ValidRecords.h"
#include "viewer/RecordView.h"

namespace ledgerly {
namespace {

using test::Submission;
using test::ValidRecord;

class RecordViewTest : public test::RunFixture {
 protected:
  void Run(const std::string& content) { RunFile(dir_.Write("W2.TXT", content)); }
  std::filesystem::path db_path() const { return db(); }
  RecordView View(int64_t rec_num) {
    Database db(db_path(), Database::Mode::ReadOnly);
    auto view = ViewFile(db, rec_num);
    EXPECT_TRUE(view.has_value());
    return view.value_or(RecordView{});
  }
  static std::vector<int> Highlighted(const RecordView& view) {
    std::vector<int> rows;
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
      if (view.rows[i].highlighted) rows.push_back(static_cast<int>(i));
    }
    return rows;
  }
};

TEST_F(RecordViewTest, HighlightsTheFaultyFieldOnly) {
  std::string faulty = ValidRecord("RW");
  test::Put(faulty, 210, "12345ABCDEF");
  Run(Submission({"RA", "RE"}) + faulty + "\r\n" + test::MatchingRT(ValidRecord("RW"), 1) + "\r\n" +
      test::ValidRF(1));
  const RecordView rw = View(3);
  ASSERT_EQ(rw.rows.size(), 48u);
  EXPECT_EQ(rw.rows[18].label, "Social Security Wages");
  EXPECT_EQ(rw.rows[18].value, "12345ABCDEF");
  EXPECT_EQ(Highlighted(rw), std::vector<int>{18});
  // The total cannot be reconciled: the RT re-check against the stored block row says so.
  EXPECT_EQ(Highlighted(View(4)), std::vector<int>{4});
  EXPECT_EQ(rw.caption, "Record Number 3 of 5 Tested Record(s) - W2.TXT");
}

TEST_F(RecordViewTest, CleanRecordsOfEveryType) {
  Run(Submission({"RA", "RE", "RW", "RO", "RS", "RT", "RU", "RF"}));
  const std::vector<std::size_t> rows{40, 24, 48, 24, 1, 29, 23, 4};
  for (int64_t rec = 1; rec <= 8; ++rec) {
    const RecordView view = View(rec);
    EXPECT_EQ(view.rows.size(), rows[rec - 1]) << rec;
    EXPECT_TRUE(Highlighted(view).empty()) << rec;
  }
  // The valid User ID is stored masked, and the stored PinOK keeps its box plain.
  EXPECT_EQ(View(1).rows[2].value, "********");
  EXPECT_EQ(View(8).rows[3].value, std::string(496, ' '));
  EXPECT_EQ(View(5).rows[0].label, "Record Identifier");
}

TEST_F(RecordViewTest, EmployerValuesComeFromTheBlocksRE) {
  // Under Tax Jurisdiction "P" a non-zero Allocated Tips amount is an error; the
  // second block's RE (blank code) must not leak into the first block's view.
  std::string re_p = test::ValidRE();
  test::Put(re_p, 220, "P");
  std::string content = Submission({"RA"}) + re_p + "\r\n";
  content += Submission({"RW", "RO"});
  Run(content);
  const RecordView ro = View(4);
  EXPECT_EQ(Highlighted(ro), (std::vector<int>{2, 4}));  // Allocated Tips, Medical Savings
}

// Records with a critical entry only are not checked again; an unknown identifier
// is one highlighted row; a record number past the end has no view.
TEST_F(RecordViewTest, CriticalOnlyRecordsAreNotRechecked) {
  Run(Submission({"RA", "RE", "RE"}));
  EXPECT_EQ(Highlighted(View(3)), std::vector<int>{0});
  Run(Submission({"RA", "RE"}) + ValidRecord("RW").substr(0, 300));
  EXPECT_TRUE(Highlighted(View(3)).empty());

  Run(Submission({"RA", "RE", "RW", "XX"}));
  const RecordView view = View(4);
  ASSERT_EQ(view.rows.size(), 1u);
  EXPECT_EQ(view.rows[0].value, "XX");
  EXPECT_TRUE(view.rows[0].highlighted);
  EXPECT_FALSE(ViewFile(Database(db_path(), Database::Mode::ReadOnly), 99).has_value());
}

// The caption keeps the stored path when its folder is gone; a read that fails is
// the caller's to show, not an unmarked view.
TEST_F(RecordViewTest, CaptionAndFailedRead) {
  Run(Submission({"RA", "RE", "RW", "RT", "RF"}));
  Database db(db_path(), Database::Mode::ReadOnly);
  Statement(db, "SELECT 1").Step();
  // Rewritten through a second connection.
  Database writer(db_path(), Database::Mode::ReadWriteCreate);
  writer.Exec("UPDATE MISC SET Path = '/no/such/folder/W2.TXT'");
  EXPECT_EQ(ViewFile(db, 2)->caption,
            "Record Number 2 of 5 Tested Record(s) - /no/such/folder/W2.TXT");
  writer.Exec("DROP TABLE TRT");
  EXPECT_THROW(ViewFile(db, 3), StoreError);
}

// The rows the viewer paints are the fields the run logged errors for: each
// field reference names the field's first position.
TEST_F(RecordViewTest, HighlightsAgreeWithTheLoggedErrors) {
  std::string ra = test::ValidRA();
  test::Put(ra, 29, "7");                 // resub indicator
  test::Put(ra, 423, "               ");  // phone
  std::string re = test::ValidRE();
  test::Put(re, 219, "X");  // household employment
  test::Put(re, 221, "7");
  std::string rw = ValidRecord("RW");
  test::Put(rw, 12, "j0hn");
  test::Put(rw, 232, "00000000A00");
  test::Put(rw, 300, "X");
  std::string ro = ValidRecord("RO");
  test::Put(ro, 23, "ABC");
  std::string content = ra + re + rw + ro + test::MatchingRT(ValidRecord("RW"), 1) +
                        test::BlankRecord("RU") + test::ValidRF(2);
  Run(content);

  Database db(db_path(), Database::Mode::ReadOnly);
  for (int64_t rec = 1; rec <= 7; ++rec) {
    const RecordView view = View(rec);
    std::set<int> first_positions;
    Statement errors(db, "SELECT Reference FROM ERRORS WHERE Rec_Num = ? AND Type IS NULL");
    errors.Bind(1, rec);
    while (errors.Step()) {
      const std::string reference = errors.Text(0);
      const auto at = reference.find("[Position ");
      if (at != std::string::npos) first_positions.insert(std::stoi(reference.substr(at + 10)));
    }
    const auto layout = LayoutFor(view.id);
    std::set<int> painted;
    for (int row : Highlighted(view)) painted.insert(layout[row].first);
    EXPECT_EQ(painted, first_positions) << "record " << rec;
    if (rec <= 4) {
      EXPECT_GE(first_positions.size(), 1u) << "record " << rec;
    }
  }
}

}  // namespace
}  // namespace ledgerly
