#include <gtest/gtest.h>

#include <set>

#include "engine/TestRun.h"
#include "layout/RecordLayouts.h"
#include "support/RecordBuilder.h"
#include "support/RuleHarness.h"
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
  void RunW2(const std::string& content) { RunFile(dir_.Write("W2.TXT", content)); }
  RecordView View(int64_t rec_num) {
    auto view = ViewFile(Database(db(), Database::Mode::ReadOnly), rec_num);
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

// Every laid-out field is shown and none is painted; RS has no fields of its own.
TEST_F(RecordViewTest, CleanRecordsOfEveryType) {
  RunW2(Submission({"RA", "RE", "RW", "RO", "RS", "RT", "RU", "RF"}));
  for (int64_t rec = 1; rec <= 8; ++rec) {
    const RecordView view = View(rec);
    EXPECT_EQ(view.rows.size(), rec == 5 ? 1 : LayoutFor(view.id).size()) << rec;
    EXPECT_TRUE(Highlighted(view).empty()) << rec;
  }
  // The valid User ID is stored masked, and the stored PinOK keeps its box plain.
  EXPECT_EQ(View(1).rows[2].value, "********");
  EXPECT_EQ(View(8).rows[3].value, std::string(496, ' '));
  EXPECT_EQ(View(5).rows[0].label, "Record Identifier");

  // The caption keeps the stored path when its folder is gone; a read that fails is
  // the caller's to show, not an unmarked view.
  Database db(this->db(), Database::Mode::ReadOnly);
  Statement(db, "SELECT 1").Step();
  Database writer(this->db(), Database::Mode::ReadWriteCreate);  // a second connection
  writer.Exec("UPDATE MISC SET Path = '/no/such/folder/W2.TXT'");
  EXPECT_EQ(ViewFile(db, 2)->caption,
            "Record Number 2 of 8 Tested Record(s) - /no/such/folder/W2.TXT");
  writer.Exec("DROP TABLE TRT");
  EXPECT_THROW(ViewFile(db, 3), StoreError);
}

// The rows the viewer paints are the fields the run logged errors for: each field
// reference names the field's first position. The RO amounts Puerto Rico does not
// allow are painted under the employer values of the block's RE; the RT cannot be
// reconciled with the letters in the RW: the re-check against the stored block row
// says so.
TEST_F(RecordViewTest, HighlightsAgreeWithTheLoggedErrors) {
  using test::Edited;
  RunW2(Edited(test::ValidRA(), {{29, "7"}, {423, "               "}}) +  // resub, phone
        Edited(test::ValidRE(), {{219, "X"}, {220, "P"}, {221, "7"}}) +   // railroad, Puerto Rico
        Edited(ValidRecord("RW"), {{12, "j0hn"}, {232, "00000000A00"}, {300, "X"}}) +
        Edited(ValidRecord("RO"), {{23, "ABC"}}) + test::MatchingRT(ValidRecord("RW"), 1) +
        test::BlankRecord("RU") + test::ValidRF(2));

  const RecordView rw_view = View(3);
  EXPECT_EQ(rw_view.rows[20].label, "Medicare Wages and Tips");
  EXPECT_EQ(rw_view.rows[20].value, "00000000A00");
  EXPECT_EQ(rw_view.caption, "Record Number 3 of 7 Tested Record(s) - W2.TXT");
  Database db(this->db(), Database::Mode::ReadOnly);
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
    EXPECT_TRUE(rec > 5 || !first_positions.empty()) << "record " << rec;
  }
}

// Records with a critical entry only are not checked again, but every field they
// hold is shown; an unknown identifier is one highlighted row; a record number past
// the end has no view.
TEST_F(RecordViewTest, CriticalOnlyRecordsAreNotRechecked) {
  RunW2(Submission({"RA", "RE", "RE"}));
  EXPECT_EQ(Highlighted(View(3)), std::vector<int>{0});
  RunW2(Submission({"RA", "RE"}) + ValidRecord("RW").substr(0, 486));  // ends in field 43
  const RecordView short_rw = View(3);
  EXPECT_TRUE(Highlighted(short_rw).empty());
  EXPECT_EQ(short_rw.rows[43].value, "0");
  EXPECT_EQ(short_rw.rows[44].value, "");

  RunW2(Submission({"RA", "RE", "RW", "XX"}));
  const RecordView view = View(4);
  ASSERT_EQ(view.rows.size(), 1u);
  EXPECT_EQ(view.rows[0].value, "XX");
  EXPECT_TRUE(view.rows[0].highlighted);
  EXPECT_FALSE(ViewFile(Database(db(), Database::Mode::ReadOnly), 99).has_value());
}

}  // namespace
}  // namespace ledgerly
