// The table of damaged records: a valid submission with a few bytes changed,
// the likely cause the run must name (code, record, position) and the entries
// that follow from it, or no cause where none explains every finding.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/ResultReader.h"
#include "support/RunFixture.h"
#include "support/Submission.h"

namespace ledgerly {
namespace {

struct Edit {
  int record;    // from 1
  int position;  // from 1, of the record as written
  std::size_t erase;
  std::string insert;
};

struct Row {
  std::string name;
  std::vector<Edit> edits;
  std::string code;  // empty: no diagnosis
  int64_t rec_num = 0;
  int64_t position = 0;
  std::vector<int64_t> explains;
  std::string separator = "\r\n";
};

std::vector<int64_t> Through(int64_t last) {
  std::vector<int64_t> all;
  for (int64_t n = 1; n <= last; ++n) all.push_back(n);
  return all;
}

// RA RE RW RW RT RF; the edits go from the back so the offsets stay those written.
std::string Damaged(const Row& row) {
  std::string file = test::Submission({"RA", "RE", "RW", "RW", "RT", "RF"}, row.separator);
  const std::size_t stride = 512 + row.separator.size();
  for (auto e = row.edits.rbegin(); e != row.edits.rend(); ++e) {
    const std::size_t at = (e->record - 1) * stride + (e->position - 1);
    file.replace(at, e->erase, e->insert);
  }
  return file;
}

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"UTF-8 E acute in the last name", {{3, 46, 1, "\xC3\x89"}}, "DIAG.utf8", 3, 46, Through(8)},
      {"UTF-8 A umlaut in the city", {{3, 111, 1, "\xC3\x84"}}, "DIAG.utf8", 3, 111, Through(8)},
      {"UTF-8 right quote (3 bytes)", {{3, 43, 1, "\xE2\x80\x99"}}, "DIAG.utf8", 3, 43, Through(9)},
      {"UTF-8 emoji (4 bytes) in the address",
       {{3, 71, 1, "\xF0\x9F\x98\x80"}},
       "DIAG.utf8",
       3,
       71,
       Through(9)},
      {"UTF-8 in the employer name", {{2, 45, 1, "\xC3\x9C"}}, "DIAG.utf8", 2, 45, Through(9)},
      {"CR-only line breaks", {{3, 46, 1, "\xC3\x89"}}, "DIAG.utf8", 3, 46, Through(8), "\r"},
      {"Windows-1252 E acute", {{3, 46, 1, "\xC9"}}, "DIAG.windows-1252", 3, 46, {1}},
      {"Windows-1252 right quote", {{3, 43, 1, "\x92"}}, "DIAG.windows-1252", 3, 43, {1}},
      {"byte-order mark", {{1, 1, 0, "\xEF\xBB\xBF"}}, "DIAG.byte-order-mark", 1, 1, {1}},
      {"tab in the address", {{3, 71, 1, "\t"}}, "DIAG.tab", 3, 71, {1}},
      {"NUL in the delivery address", {{3, 95, 1, std::string(1, '\0')}}, "DIAG.nul", 3, 95, {1}},
      {"control character in the name", {{3, 46, 1, "\x01"}}, "DIAG.control", 3, 46, {1}},
      {"dropped byte", {{3, 45, 1, ""}}, "DIAG.missing-bytes", 3, 43, {1}},
      {"doubled byte", {{3, 45, 0, "L"}}, "DIAG.doubled-byte", 3, 45, Through(7)},
      {"two bytes too many", {{3, 188, 0, "00"}}, "DIAG.extra-bytes", 3, 188, Through(6)},
      {"line break inside a record", {{3, 101, 0, "\n"}}, "DIAG.line-break", 3, 101, {1}},
      {"CR without LF inside a record", {{3, 101, 0, "\r"}}, "DIAG.line-break", 3, 101, {1}, "\n"},
      // Two unrelated faults: no single cause explains them.
      {"UTF-8 letter and a bad Zip Code", {{3, 46, 1, "\xC3\x89"}, {3, 134, 1, "A"}}, "", 0, 0, {}},
      {"Windows-1252 letter and a bad state",
       {{3, 46, 1, "\xC9"}, {3, 132, 2, "XX"}},
       "",
       0,
       0,
       {}},
      {"UTF-8 letter and a tab", {{3, 46, 1, "\xC3\x89"}, {3, 71, 1, "\t"}}, "", 0, 0, {}},
      {"a wrong amount", {{3, 215, 1, "X"}}, "", 0, 0, {}},
  };
  return rows;
}

class DiagnosisTest : public test::RunFixture {};

TEST_F(DiagnosisTest, EachDamagedRecordGetsItsOneLikelyCauseOrNone) {
  std::set<std::string> drawn;
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    const RunResult result = Run({Damaged(row)});
    ASSERT_GT(result.records, 0);
    const std::vector<StoredDiagnosis> found =
        ResultReader(Database(db(), Database::Mode::ReadOnly)).Diagnoses();
    if (row.code.empty()) {
      EXPECT_TRUE(found.empty()) << found.front().explanation;
      continue;
    }
    ASSERT_EQ(found.size(), 1u);
    const StoredDiagnosis& d = found.front();
    EXPECT_EQ(d.code, row.code) << d.explanation;
    EXPECT_EQ(d.rec_num, row.rec_num);
    EXPECT_EQ(d.position, row.position) << d.explanation;
    EXPECT_EQ(d.offset, static_cast<int64_t>((row.rec_num - 1) * (512 + row.separator.size()) +
                                             row.position - 1));
    std::vector<int64_t> explains;
    for (const auto& [err_num, code] : d.explains) explains.push_back(err_num);
    EXPECT_EQ(explains, row.explains) << d.explanation;
    EXPECT_EQ(d.explains.size(), static_cast<std::size_t>(result.errors))
        << "all entries explained";
    drawn.insert(d.code);
  }
  for (const Cause* cause : kCauses)
    EXPECT_TRUE(drawn.count(std::string(cause->code))) << cause->code;
}

}  // namespace
}  // namespace ledgerly
