#include <gtest/gtest.h>

#include "engine/RunState.h"
#include "support/DbRows.h"
#include "support/RecordBuilder.h"
#include "support/RunFixture.h"
#include "support/Submission.h"
#include "support/ValidRecords.h"

namespace ledgerly {
namespace {

using test::QueryRows;
using test::QueryValue;
using test::Submission;
using test::ValidRecord;
using Rows = std::vector<std::vector<std::string>>;

const char* kLengthError =
    "Must be 512 bytes for Pelkin files. This condition may also be generated if the previous "
    "record is greater than 512 bytes or if there is a Carriage Return/Line Feed within a record.";

const char* kSequence = "Sequence of Records [Position 1 - 2]";

class TestRunTest : public test::RunFixture {
 protected:
  Rows Records() const { return QueryRows(db(), "SELECT Rec_Num, ID, Errors FROM RECORDS"); }
  Rows Errors() const {
    return QueryRows(db(),
                     "SELECT Rec_Num, IFNULL(Type, ''), Reference, User_Entry, Error FROM ERRORS "
                     "ORDER BY Err_Num");
  }
};

// --- reading ---------------------------------------------------------------

TEST_F(TestRunTest, LineBreaksBetweenRecordsAreOptional) {
  const std::vector<std::string> ids{"RA", "RE", "RW", "RT", "RF"};
  EXPECT_EQ(Run({Submission(ids, "\r\n")}).outcome, RunOutcome::Clean);
  const Rows with_breaks = QueryRows(db(), "SELECT * FROM RECORDS");
  EXPECT_EQ(Run({Submission(ids, "")}).outcome, RunOutcome::Clean);
  EXPECT_EQ(QueryRows(db(), "SELECT * FROM RECORDS"), with_breaks);
  EXPECT_EQ(Run({Submission(ids, "\n")}).outcome, RunOutcome::Clean);
  EXPECT_EQ(QueryRows(db(), "SELECT * FROM RECORDS"), with_breaks);
  EXPECT_EQ(with_breaks.size(), 5u);
}

TEST_F(TestRunTest, WrongRecordLengthStopsWithItsLength) {
  const std::string head = Submission({"RA", "RE"}), tail = Submission({"RT", "RF"});
  const RunResult result = Run({head + ValidRecord("RW").substr(0, 511) + "\r\n" + tail});
  EXPECT_EQ(result.outcome, RunOutcome::Critical);
  EXPECT_EQ(result.critical_rec_num, 3);
  EXPECT_EQ(Errors(), (Rows{{"3", "C", "Record Length", "511 bytes.", kLengthError}}));
  EXPECT_EQ(Records().size(), 3u);
  // The 513th character of a long record forms a one-character record of its own.
  Run({head + ValidRecord("RW") + "X\r\n" + tail});
  EXPECT_EQ(Errors(), (Rows{{"4", "C", "Record Length", "1 bytes.", kLengthError}}));
}

TEST_F(TestRunTest, FilesWithoutRecords) {
  EXPECT_EQ(Run({"\r\n\n\r\r\n"}).outcome, RunOutcome::NoData);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].title, "Results");
  EXPECT_EQ(host_.messages[0].text, "Warning: The file contains no valid data.");
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::Exclamation);
  host_.messages.clear();
  EXPECT_EQ(Run({""}).outcome, RunOutcome::NoData);
  EXPECT_EQ(host_.messages.at(0).text, "Warning: The file contains no valid data.");
  EXPECT_TRUE(Records().empty());
}

TEST_F(TestRunTest, UpperCasesEverythingButTheContactEmail) {
  std::string ra = ValidRecord("RA");
  test::Put(ra, 446, "mail@example.com");
  test::Put(ra, 396, "contact");
  std::string rw = ValidRecord("RW");
  test::Put(rw, 40, "smith\xE9");
  Run({ra + rw});
  const std::string stored_ra = QueryValue(db(), "SELECT Record FROM RECORDS WHERE Rec_Num = 1");
  EXPECT_EQ(stored_ra.substr(445, 16), "mail@example.com");
  EXPECT_EQ(stored_ra.substr(395, 7), "CONTACT");
  // Bytes above 127 are kept as their Latin-1 characters.
  const std::string stored_rw = QueryValue(db(), "SELECT Record FROM RECORDS WHERE Rec_Num = 2");
  EXPECT_EQ(stored_rw.substr(39, 7), "SMITH\xC3\xA9");
}

TEST_F(TestRunTest, EndOfFileMarkers) {
  // A lone marker after RF ends the file quietly.
  EXPECT_EQ(Run({Submission({"RA", "RE", "RW", "RT", "RF"}) + "\x1a"}).outcome, RunOutcome::Clean);
  EXPECT_EQ(Records().size(), 5u);

  // A marker holding other characters after RF is a record after RF.
  EXPECT_EQ(Run({Submission({"RA", "RE", "RW", "RT", "RF"}) + "\x1a" + "ABC"}).outcome,
            RunOutcome::Critical);
  EXPECT_EQ(Errors(), (Rows{{"6", "C", kSequence,
                             "[\x1a"
                             "A]",
                             "RF record must be last record in file."}}));
  EXPECT_EQ(Records().size(), 6u);  // the entry's record is stored with it

  // Elsewhere the marker is dropped and the file ends there.
  host_.messages.clear();
  EXPECT_EQ(Run({Submission({"RA", "RE", "RW"}) + std::string(1, '\0') + "RUBBISH"}).outcome,
            RunOutcome::Errors);
  EXPECT_EQ(Records().size(), 3u);
  EXPECT_EQ(host_.messages.at(0).title, "Missing Final Record");
}

// --- critical errors of the driver -------------------------------------------

const char* kRule1 = "RW record must follow RE record.";
const char* kRule2 = "RW or RO or RS or RT record must follow RW record.";
const char* kRule3 = "RW or RS or RT record must follow RO record.";
const char* kRule4 = "RW or RS or RT record must follow RS record.";
const char* kRule5 = "RE or RF record must follow RV record.";
const char* kRule6 = "RU record must follow RT record whenever RO record is generated.";
const char* kRule7 =
    "RE or RF record must follow RT record whenever RO or RS record is not generated.";
const char* kRule8 = "RE or RF record must follow RU record whenever RS record is not generated.";

const char* kOtherFormat =
    "The first two characters in the tested file are RC. This appears to be an PelkinC formatted "
    "file. The Ledgerly application should be used to test Pelkin formatted files only.";
struct CriticalCase {
  std::vector<std::string> ids;
  int64_t rec_num;
  std::string reference;
  std::string user_entry;
  std::string error;
};

class DriverCriticalTest : public TestRunTest,
                           public ::testing::WithParamInterface<CriticalCase> {};

TEST_P(DriverCriticalTest, StopsWithTheEntry) {
  const CriticalCase& c = GetParam();
  const RunResult result = Run({Submission(c.ids)});
  EXPECT_EQ(result.outcome, RunOutcome::Critical);
  EXPECT_EQ(result.critical_rec_num, c.rec_num);
  ASSERT_FALSE(Errors().empty());
  EXPECT_EQ(Errors().back(), (std::vector<std::string>{std::to_string(c.rec_num), "C", c.reference,
                                                       c.user_entry, c.error}));
  EXPECT_EQ(Records().size(), static_cast<size_t>(c.rec_num));
}

INSTANTIATE_TEST_SUITE_P(
    Driver, DriverCriticalTest,
    ::testing::Values(
        CriticalCase{{"RCA", "RE"}, 1, "Record Identifier [Position 1 - 2]", "[RC]", kOtherFormat},
        CriticalCase{{"rca", "RE"}, 1, "Record Identifier [Position 1 - 2]", "[rc]", kOtherFormat},
        CriticalCase{{"ra", "RE"}, 1, kSequence, "[ra]", "Record 1 must be RA record."},
        CriticalCase{{"RA", "RW"}, 2, kSequence, "[RW]", "Record 2 must be RE record."},
        CriticalCase{{"RA", "RE", "RW", "RT", "RF", "RF"},
                     6,
                     kSequence,
                     "[RF]",
                     "RF record must be last record in file."},
        CriticalCase{{"RA", "RE", "RW", "re"}, 4, kSequence, "[re]", kRule2},
        CriticalCase{{"RA", "RE", "RW", "XX"},
                     4,
                     "Invalid Record Identifier [Position 1 - 2]",
                     "[XX]",
                     "Enter appropriate code: RW, RO, RS, RT, RU, RV, or RF. This condition may "
                     "also be caused by an incorrect record length."}));

// --- record order ------------------------------------------------------------

struct OrderCase {
  std::vector<std::string> ids;
  int64_t stop_at;  // 0: no sequence error
  std::string message;
};

class RecordOrderTest : public TestRunTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(RecordOrderTest, FollowsTheStateMachine) {
  const OrderCase& c = GetParam();
  Run({Submission(c.ids)});
  const Rows sequence =
      QueryRows(db(),
                "SELECT Rec_Num, Type, Error FROM ERRORS WHERE Reference = "
                "'Sequence of Records [Position 1 - 2]' AND Error NOT LIKE 'Submission must not%'");
  if (c.stop_at == 0) {
    EXPECT_TRUE(sequence.empty()) << sequence[0][2];
    return;
  }
  ASSERT_EQ(sequence.size(), 1u);
  EXPECT_EQ(sequence[0], (std::vector<std::string>{std::to_string(c.stop_at), "C", c.message}));
  EXPECT_EQ(Records().size(), static_cast<size_t>(c.stop_at));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, RecordOrderTest,
    ::testing::Values(
        OrderCase{{"RA", "RE", "RW", "RO", "RW", "RT", "RU", "RF"}, 0, ""},
        OrderCase{{"RA", "RE", "RW", "RT", "RF"}, 0, ""},
        OrderCase{{"RA", "RE", "RW", "RS", "RT", "RV", "RF"}, 0, ""},
        OrderCase{{"RA", "RE", "RW", "RS", "RS", "RW", "RT", "RE", "RW", "RT", "RF"}, 0, ""},
        // RT and RU of a block with RS accept any successor.
        OrderCase{{"RA", "RE", "RW", "RS", "RT", "RA", "RE", "RW", "RT", "RF"}, 0, ""},
        OrderCase{{"RA", "RE", "RW", "RO", "RS", "RT", "RU", "RW"}, 0, ""},
        // Lower-case rw is dispatched but matches no order rule.
        OrderCase{{"RA", "RE", "rw", "RF"}, 0, ""}, OrderCase{{"RA", "RE", "RE"}, 3, kRule1},
        OrderCase{{"RA", "RE", "RF"}, 3, kRule1}, OrderCase{{"RA", "RE", "RO"}, 3, kRule1},
        OrderCase{{"RA", "RE", "RW", "RE"}, 4, kRule2},
        OrderCase{{"RA", "RE", "RW", "RU"}, 4, kRule2},
        OrderCase{{"RA", "RE", "RW", "RF"}, 4, kRule2},
        OrderCase{{"RA", "RE", "RW", "rw"}, 4, kRule2},
        OrderCase{{"RA", "RE", "RW", "RO", "RO"}, 5, kRule3},
        OrderCase{{"RA", "RE", "RW", "RO", "RU"}, 5, kRule3},
        OrderCase{{"RA", "RE", "RW", "RS", "RO"}, 5, kRule4},
        OrderCase{{"RA", "RE", "RW", "RS", "RF"}, 5, kRule4},
        OrderCase{{"RA", "RE", "RW", "RS", "RT", "RV", "RW"}, 7, kRule5},
        OrderCase{{"RA", "RE", "RW", "RS", "RT", "RV", "RV"}, 7, kRule5},
        OrderCase{{"RA", "RE", "RW", "RO", "RT", "RF"}, 6, kRule6},
        OrderCase{{"RA", "RE", "RW", "RT", "RU", "RF"}, 5, kRule7},
        OrderCase{{"RA", "RE", "RW", "RT", "RW"}, 5, kRule7},
        OrderCase{{"RA", "RE", "RW", "RO", "RT", "RU", "RW"}, 7, kRule8},
        // The second block's RE clears the first block's flags.
        OrderCase{{"RA", "RE", "RW", "RO", "RT", "RU", "RE", "RW", "RT", "RU"}, 10, kRule7},
        // ...but the flags still apply to the record after the first block's RT.
        OrderCase{{"RA", "RE", "RW", "RO", "RT", "RE"}, 6, kRule6}));

// --- split submissions ----------------------------------------------------------

TEST_F(TestRunTest, SplitSubmissionContinuesInTheNextFile) {
  const auto [first, second] = test::SplitSubmission({"RA", "RE", "RW", "RW", "RT", "RF"}, 3);
  const RunResult result = Run({first, second});
  EXPECT_EQ(result.outcome, RunOutcome::Clean);
  EXPECT_EQ(host_.dialog_titles,
            (std::vector<std::string>{"Please Enter File Name to be Tested",
                                      "Please Enter Next File Name to be Tested"}));
  EXPECT_EQ(host_.messages.at(0).title, "Missing Final Record");
  EXPECT_EQ(host_.messages.at(0).text,
            "RF record was not found.  Submission must end with a final record.  If the wage "
            "report submission is saved on multiple disks or multiple data files, click OK then "
            "choose the next file.");
  EXPECT_EQ(Records().size(), 6u);
  EXPECT_EQ(QueryRows(db(), "SELECT Data_Id, Path FROM MISC").size(), 2u);
}

TEST_F(TestRunTest, SplitSubmissionChecksOrderAcrossFiles) {
  Run({Submission({"RA", "RE", "RW"}), Submission({"RE", "RW", "RT", "RF"})});
  EXPECT_EQ(Errors(), (Rows{{"4", "C", kSequence, "[RE]", kRule2}}));
}

TEST_F(TestRunTest, CancelAfterMissingFinalRecord) {
  const RunResult result = Run({Submission({"RA", "RE", "RW"})});
  EXPECT_EQ(result.outcome, RunOutcome::Errors);
  EXPECT_EQ(Errors(), (Rows{{"3", "", kSequence, "[RW]",
                             "Submission must not end with RW record. RF record was not found. "
                             "Submission must end with a Final record."}}));
  EXPECT_EQ(Records().back(), (std::vector<std::string>{"3", "RW", "1"}));
  // A lone RA is a submission without its final record too.
  host_.messages.clear();
  EXPECT_EQ(Run({Submission({"RA"})}).outcome, RunOutcome::Errors);
  EXPECT_EQ(host_.messages.at(0).title, "Missing Final Record");
}

TEST_F(TestRunTest, DroppedMarkerDoesNotShiftRecordNumbers) {
  const auto [first, second] = test::SplitSubmission({"RA", "RE", "RW", "RS", "RT"}, 3);
  Run({first + "\x1a", second});
  EXPECT_EQ(QueryRows(db(), "SELECT Rec_Num, ID FROM RECORDS"),
            (Rows{{"1", "RA"}, {"2", "RE"}, {"3", "RW"}, {"4", "RS"}, {"5", "RT"}}));
  // The abandoned run's entry belongs to the last stored record.
  EXPECT_EQ(Errors().at(0).at(0), "5");
  EXPECT_EQ(Records().back(), (std::vector<std::string>{"5", "RT", "1"}));
}

// --- outcome and messages ----------------------------------------------------------

TEST_F(TestRunTest, StoresTheFilePathAsTheSystemGivesIt) {
  const std::string path =
      dir_.Write("r\xC3\xA9sum\xC3\xA9.txt", Submission({"RA", "RE", "RW", "RT", "RF"}));
  RunFile(path);
  EXPECT_EQ(QueryValue(db(), "SELECT Path FROM MISC"), path);
}

TEST_F(TestRunTest, CancelOnTheFirstDialogKeepsThePreviousResults) {
  Run({Submission({"RA", "RE", "RW", "RT", "RF"})});
  EXPECT_EQ(Run({}).outcome, RunOutcome::Cancelled);
  EXPECT_EQ(Records().size(), 5u);
  EXPECT_TRUE(RunFinished(Database(db(), Database::Mode::ReadOnly)));
}

TEST_F(TestRunTest, MissingFileIsReported) {
  host_.files.push_back((dir_.path() / "absent.txt").string());
  TestRun run(host_, db(), 500);
  EXPECT_EQ(run.ReadFile().outcome, RunOutcome::FileNotFound);
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[0].title, "Submission File Not Found");
  EXPECT_EQ(host_.messages[0].text, (dir_.path() / "absent.txt").string() + " was not found.");
  EXPECT_EQ(host_.messages[1].title, "Submission File Name Error");
  EXPECT_FALSE(std::filesystem::exists(db()));
}

TEST_F(TestRunTest, CleanRunOffersTheFilingServiceWithinThePeriod) {
  const auto clean = Submission({"RA", "RE", "RW", "RT", "RF"});
  const std::string offer =
      "Testing Completed.\r\nThere were no errors found.\r\n\r\nWould you like to connect to "
      "the Quorvix Web site to submit the wage report?";
  const std::string plain = "Testing Completed.\r\nThere were no errors found.";
  for (const auto& [date, text] :
       std::vector<std::pair<Date, std::string>>{{{2011, 12, 4}, plain},
                                                 {{2011, 12, 5}, offer},
                                                 {{2012, 12, 1}, offer},
                                                 {{2012, 12, 2}, plain}}) {
    host_.messages.clear();
    host_.today = date;
    host_.yes_no_answer = MessageAnswer::Yes;
    Run({clean});
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].title, "Results");
    EXPECT_EQ(host_.messages[0].text, text);
  }
  EXPECT_EQ(host_.filing_service_opened, 2);
  EXPECT_EQ(QueryValue(db(), "SELECT RptDate FROM MISC"), "12/02/2012");
}

TEST_F(TestRunTest, ExitDuringTheRunLogsTestAborted) {
  // The first call comes before the database is replaced.
  host_.stop_at_record_call = 4;
  const RunResult result = Run({Submission({"RA", "RE", "RW", "RT", "RF"})});
  EXPECT_EQ(result.outcome, RunOutcome::Aborted);
  EXPECT_EQ(Records().size(), 2u);
  EXPECT_EQ(Errors(), (Rows{{"2", "", "Test Aborted", "Exit was chosen",
                             "The last file did not complete testing because the Exit Button was "
                             "selected while processing."}}));
  EXPECT_EQ(Records().back(), (std::vector<std::string>{"2", "RE", "1"}));

  // Exit before the first record leaves those results in place.
  host_.responsive_calls = 0;
  host_.stop_at_record_call = 1;
  EXPECT_EQ(Run({Submission({"RA", "RE", "RW", "RT", "RF"})}).outcome, RunOutcome::Aborted);
  EXPECT_EQ(Records().size(), 2u);
}

// --- the database ----------------------------------------------------------------

TEST_F(TestRunTest, SchemaHasTheNamedTablesAndColumns) {
  Run({Submission({"RA", "RE", "RW", "RT", "RF"})});
  auto columns = [&](const std::string& table) {
    std::string names;
    for (const auto& row : QueryRows(db(), "SELECT name FROM pragma_table_info('" + table + "')"))
      names += row[0] + ",";
    return names;
  };
  EXPECT_EQ(columns("MISC"), "Data_Id,Path,PinOK,RptDate,");
  EXPECT_EQ(columns("RECORDS"), "Rec_Num,ID,RE_Indx,Errors,Record,RecReference,");
  EXPECT_EQ(columns("ERRORS"), "Err_Num,Type,Rec_Num,Reference,User_Entry,Error,");
  const std::string trt = columns("TRT");
  EXPECT_EQ(trt.substr(0, 37), "Indx,RE_EIN,0,1,F1ErrRef,2,F2ErrRef,3");
  EXPECT_NE(trt.find(",24,F24ErrRef,"), std::string::npos);
  EXPECT_NE(columns("TRU").find(",19,F19ErrRef,"), std::string::npos);
  EXPECT_EQ(columns("TRU").find("20"), std::string::npos);
  EXPECT_EQ(QueryValue(db(), "SELECT COUNT(*) FROM pragma_index_list('ERRORS')"), "1");
}

TEST_F(TestRunTest, FinalRecordCountsLowerCaseRWRecords) {
  Run({Submission({"RA", "RE", "rw", "RW", "RT", "RF"})});
  EXPECT_EQ(QueryValue(db(),
                       "SELECT COUNT(*) FROM ERRORS WHERE Reference LIKE 'Number of RW Records "
                       "[Position 8 - 16]'"),
            "0");
  Run({Submission({"RA", "RE", "RW", "RW", "RT"}) + test::ValidRF(3)});
  EXPECT_EQ(
      QueryValue(
          db(),
          "SELECT Error FROM ERRORS WHERE Reference LIKE 'Number of RW Records [Position 8 - 16]'"),
      "The number of RW records in the submission does not equal the value in the RF record.");
}

TEST_F(TestRunTest, StoresStampsAndBlockTotals) {
  const std::string rw = ValidRecord("RW");
  EXPECT_EQ(
      Run({Submission({"RA", "RE", "RW", "RW", "RO", "RT", "RU", "RE", "RW", "RT", "RF"})}).outcome,
      RunOutcome::Clean);
  EXPECT_EQ(QueryRows(db(),
                      "SELECT ID, IFNULL(RE_Indx, '-'), IFNULL(RecReference, '-') FROM "
                      "RECORDS"),
            (Rows{{"RA", "-", "123456789"},
                  {"RE", "1", "123456789"},
                  {"RW", "1", "123456789"},
                  {"RW", "1", "123456789"},
                  {"RO", "1", "123456789"},
                  {"RT", "1", "123456789"},
                  {"RU", "1", "123456789"},
                  {"RE", "2", "123456789"},
                  {"RW", "2", "123456789"},
                  {"RT", "2", "123456789"},
                  {"RF", "-", "-"}}));
  // A valid User ID is masked in the stored record and noted in MISC.
  EXPECT_EQ(QueryValue(db(), "SELECT substr(Record, 12, 8) FROM RECORDS WHERE Rec_Num = 1"),
            "********");
  EXPECT_EQ(QueryValue(db(), "SELECT PinOK FROM MISC"), "1");
  // The block rows hold the sums whenever the run ends.
  const int64_t wages = std::stoll(rw.substr(187, 11));
  EXPECT_EQ(
      QueryRows(db(), "SELECT Indx, \"0\", CAST(\"1\" AS INTEGER), F1ErrRef, \"24\" FROM TRT"),
      (Rows{{"1", "2", std::to_string(2 * wages), "None", "0.0"},
            {"2", "1", std::to_string(wages), "None", "0.0"}}));
  EXPECT_EQ(QueryValue(db(), "SELECT \"0\" FROM TRU WHERE Indx = 1"), "1");
}

TEST_F(TestRunTest, NonNumericAmountMarksTheBlockForTheTotal) {
  std::string faulty = ValidRecord("RW");
  test::Put(faulty, 3, "987654321");
  test::Put(faulty, 210, "12345ABCDEF");
  std::string content = Submission({"RA", "RE", "RW"});
  content += faulty + "\r\n";
  content += test::MatchingRT(ValidRecord("RW"), 2) + "\r\n" + test::ValidRF(2) + "\r\n";
  EXPECT_EQ(Run({content}).outcome, RunOutcome::Errors);
  EXPECT_EQ(QueryValue(db(), "SELECT F3ErrRef FROM TRT"), "987654321");
  EXPECT_EQ(QueryRows(db(), "SELECT Rec_Num, Error FROM ERRORS WHERE Rec_Num = 5"),
            (Rows{{"5",
                   "The calculated sum is incorrect because of a non-numeric value entered in the "
                   "RW record with SSN#: 987654321."}}));
}

TEST_F(TestRunTest, ErrorLimitStopsTheRun) {
  std::string faulty = ValidRecord("RW");
  test::Put(faulty, 210, "12345ABCDEF");
  const std::string content = Submission({"RA", "RE"}) + faulty + "\r\n" + faulty + "\r\n";
  RunResult result = Run({content}, 1);
  EXPECT_EQ(result.outcome, RunOutcome::Critical);
  EXPECT_EQ(Errors().size(), 2u);
  EXPECT_EQ(Errors().back(),
            (std::vector<std::string>{
                "3", "C", "1 or more Errors in submission", "1 Errors",
                "1 or more errors were encountered. Please correct the errors identified in the "
                "submission and rerun Ledgerly. Please note that the number of errors allowed "
                "before Ledgerly stops testing can be set by the user to a number between 1 and "
                "25,000. For information on how to set the error limitation, please look in the "
                "Help section located on the Ledgerly Welcome Screen and/or other screens within "
                "the software."}));
  // With the default limit the run goes on to the end of the file...
  result = Run({content});
  EXPECT_EQ(result.outcome, RunOutcome::Errors);
  EXPECT_EQ(Records().size(), 4u);

  // ...and stops at the record that brings the count to 500.
  std::string many = Submission({"RA", "RE"});
  for (int i = 0; i < 600; ++i) many += faulty + "\r\n";
  result = Run({many});
  EXPECT_EQ(result.outcome, RunOutcome::Critical);
  EXPECT_EQ(result.critical_rec_num, 502);
  EXPECT_EQ(Errors().size(), 501u);
  EXPECT_EQ(Errors().back().at(2), "500 or more Errors in submission");
  EXPECT_EQ(Errors().back().at(3), "500 Errors");
}

}  // namespace
}  // namespace ledgerly
