#include <gtest/gtest.h>

#include "engine/ResultReader.h"
#include "engine/RunState.h"
#include "rules/RecordOrder.h"
#include "support/DbChecks.h"
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
const char* kIdentifier = "Record Identifier [Position 1 - 2]";
const char* kOtherFormat =
    "The first two characters in the tested file are RC. This appears to be an PelkinC formatted "
    "file. The Ledgerly application should be used to test Pelkin formatted files only.";
const char* kRule2 = "RW or RO or RS or RT record must follow RW record.";
const char* kRule6 = "RU record must follow RT record whenever RO record is generated.";
const char* kRule7 =
    "RE or RF record must follow RT record whenever RO or RS record is not generated.";
const std::vector<std::string> kClean{"RA", "RE", "RW", "RT", "RF"};

Rows CriticalEntry(int rec_num, const std::string& reference, const std::string& user_entry,
                   const std::string& error) {
  return {{std::to_string(rec_num), "C", reference, user_entry, error}};
}

// The entry of a submission that ended without its RF record, on its last record.
Rows MissingFinal(int rec_num, const std::string& id) {
  return {{std::to_string(rec_num), "", kSequence, "[" + id + "]",
           "Submission must not end with " + id +
               " record. RF record was not found. Submission must end with a Final record."}};
}

Rows ErrorLimit(int rec_num, int limit) {
  const std::string n = std::to_string(limit);
  return CriticalEntry(
      rec_num, n + " or more Errors in submission", n + " Errors",
      n + " or more errors were encountered. Please correct the errors identified in the "
          "submission and rerun Ledgerly. Please note that the number of errors allowed before "
          "Ledgerly stops testing can be set by the user to a number between 1 and 25,000. For "
          "information on how to set the error limitation, please look in the Help section "
          "located on the Ledgerly Welcome Screen and/or other screens within the software.");
}

// RW records whose Social Security Wages amount is not a number.
std::string FaultyRW(std::string ssn = "123456789", int copies = 1) {
  std::string rw = ValidRecord("RW");
  test::Put(rw, 3, ssn);
  test::Put(rw, 210, "12345ABCDEF");
  std::string content;
  for (int i = 0; i < copies; ++i) content += rw + "\r\n";
  return content;
}

class TestRunTest : public test::RunFixture {
 protected:
  Rows Records() const { return QueryRows(db(), "SELECT Rec_Num, ID, Errors FROM RECORDS"); }
  Rows Errors() const { return test::ErrorEntries(db()); }
};

// --- whole runs: outcome, stored records, the last entries ---------------------

struct RunCase {
  std::string name;
  std::string files;  // of one submission, separated by test::kNextFileMarker
  RunOutcome outcome;
  int records;                // stored; also the last progress report's record number
  Rows last_errors;           // the last ERRORS rows
  std::string first_message;  // "title: text" of the first message starts so
  int error_limit;
  int stop_at_record_call;
};
void PrintTo(const RunCase& c, std::ostream* os) {
  *os << c.name;
}

RunCase Case(std::string name, std::string files, RunOutcome outcome, int records,
             Rows last_errors = {}, std::string first_message = "",
             int error_limit = kDefaultErrorLimit, int stop_at_record_call = -1) {
  return {std::move(name),        std::move(files),         outcome,     records,
          std::move(last_errors), std::move(first_message), error_limit, stop_at_record_call};
}

class RunCaseTest : public TestRunTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunCaseTest, EndsWithItsOutcomeAndEntries) {
  const RunCase& c = GetParam();
  host_.files = test::WriteSubmissionFiles(dir_, c.files);
  const std::size_t files = host_.files.size();
  host_.stop_at_record_call = c.stop_at_record_call;
  const RunResult result = TestRun(host_, db(), c.error_limit).ReadFile();
  // One dialog for each file; MISC names each file the run tested.
  ASSERT_GE(host_.dialog_titles.size(), files);
  for (std::size_t i = 0; i < host_.dialog_titles.size(); ++i) {
    EXPECT_EQ(host_.dialog_titles[i], i == 0 ? "Please Enter File Name to be Tested"
                                             : "Please Enter Next File Name to be Tested");
  }
  EXPECT_EQ(result.outcome, c.outcome);
  EXPECT_EQ(result.records, c.records);
  EXPECT_EQ(host_.last_progress.rec_ctr, c.records);
  if (!c.first_message.empty()) {
    ASSERT_FALSE(host_.messages.empty());
    const std::string shown = host_.messages[0].title + ": " + host_.messages[0].text;
    EXPECT_EQ(shown.rfind(c.first_message, 0), 0u) << shown;
  }
  // A run that stored records leaves its database in place.
  if (c.records == 0 && !std::filesystem::exists(db())) return;
  EXPECT_EQ(test::ResultDatabaseFaults(db()), std::vector<std::string>{});
  EXPECT_EQ(Records().size(), static_cast<std::size_t>(c.records));
  EXPECT_EQ(QueryValue(db(), "SELECT COUNT(*) FROM MISC"), std::to_string(files));
  const Rows errors = Errors();
  EXPECT_EQ(static_cast<std::size_t>(result.errors), errors.size());
  const Database stored(db(), Database::Mode::ReadOnly);
  const ResultReader results(stored);
  EXPECT_EQ(results.HasErrors(), !errors.empty());
  EXPECT_TRUE(results.RunFinished());
  ASSERT_GE(errors.size(), c.last_errors.size());
  EXPECT_EQ(Rows(errors.end() - static_cast<long>(c.last_errors.size()), errors.end()),
            c.last_errors);
  if (c.outcome == RunOutcome::Critical) {
    EXPECT_EQ(std::to_string(result.critical_rec_num), c.last_errors.at(0).at(0));
  }
}

const auto Head = [] { return Submission({"RA", "RE"}); };
const auto Tail = [] { return Submission({"RT", "RF"}); };
std::string Split(const std::vector<std::string>& ids, std::string_view after_first = "") {
  const auto [first, second] = test::SplitSubmission(ids, 3);
  return first + std::string(after_first) + std::string(test::kNextFileMarker) + second;
}
const char* kNoData = "Results: Warning: The file contains no valid data.";
using enum RunOutcome;

INSTANTIATE_TEST_SUITE_P(
    Runs, RunCaseTest,
    ::testing::Values(
        // Line breaks between records are optional.
        Case("CRLF", Submission(kClean), Clean, 5, {}, "Results: Testing Completed."),
        Case("NoBreaks", Submission(kClean, ""), Clean, 5),
        Case("LF", Submission(kClean, "\n"), Clean, 5),
        Case("ShortRecord", Head() + ValidRecord("RW").substr(0, 511) + "\r\n" + Tail(), Critical,
             3, CriticalEntry(3, "Record Length", "511 bytes.", kLengthError)),
        // The 513th character of a long record forms a one-character record of its own.
        Case("LongRecord", Head() + ValidRecord("RW") + "X\r\n" + Tail(), Critical, 4,
             CriticalEntry(4, "Record Length", "1 bytes.", kLengthError)),
        Case("OnlyLineBreaks", "\r\n\n\r\r\n", NoData, 0, {}, kNoData),
        Case("EmptyFile", "", NoData, 0, {}, kNoData),
        // A lone end-of-file marker after RF ends the file quietly...
        Case("MarkerAfterRF", Submission(kClean) + "\x1a", Clean, 5),
        // ...one holding other characters is a record after RF...
        Case("MarkerWithTextAfterRF", Submission(kClean) + "\x1a" + "ABC", Critical, 6,
             CriticalEntry(6, kSequence, "[\032A]", "RF record must be last record in file.")),
        // ...and elsewhere the marker is dropped and the file ends there.
        Case("NulEndsTheFile", Submission({"RA", "RE", "RW"}) + '\0' + "RUBBISH", Errors, 3,
             MissingFinal(3, "RW"), "Missing Final Record: RF record was not found."),
        Case("LoneRA", Submission({"RA"}), Errors, 1, MissingFinal(1, "RA")),
        Case("Split", Split({"RA", "RE", "RW", "RW", "RT", "RF"}), Clean, 6, {},
             "Missing Final Record: RF record was not found.  Submission must end with a final "
             "record.  If the wage report submission is saved on multiple disks or multiple data "
             "files, click OK then choose the next file."),
        Case("SplitKeepsTheOrder",
             Submission({"RA", "RE", "RW"}) + std::string(test::kNextFileMarker) +
                 Submission({"RE", "RW", "RT", "RF"}),
             Critical, 4, CriticalEntry(4, kSequence, "[RE]", kRule2)),
        // A marker dropped at the end of a file does not shift the record numbers.
        Case("SplitAfterMarker", Split({"RA", "RE", "RW", "RS", "RT"}, "\x1a"), Errors, 5,
             MissingFinal(5, "RT")),
        // The first call comes before the database is replaced.
        Case("Exit", Submission(kClean), Aborted, 2,
             {{"2", "", "Test Aborted", "Exit was chosen",
               "The last file did not complete testing because the Exit Button was selected "
               "while processing."}},
             "", kDefaultErrorLimit, 4),
        Case("OtherFormat", Submission({"RCA", "RE"}), Critical, 1,
             CriticalEntry(1, kIdentifier, "[RC]", kOtherFormat)),
        Case("OtherFormatLowerCase", Submission({"rca", "RE"}), Critical, 1,
             CriticalEntry(1, kIdentifier, "[rc]", kOtherFormat)),
        Case("LowerCaseRA", Submission({"ra", "RE"}), Critical, 1,
             CriticalEntry(1, kSequence, "[ra]", "Record 1 must be RA record.")),
        Case("NoRE", Submission({"RA", "RW"}), Critical, 2,
             CriticalEntry(2, kSequence, "[RW]", "Record 2 must be RE record.")),
        Case("RecordAfterRF", Submission({"RA", "RE", "RW", "RT", "RF", "RF"}), Critical, 6,
             CriticalEntry(6, kSequence, "[RF]", "RF record must be last record in file.")),
        Case("LowerCaseRE", Submission({"RA", "RE", "RW", "re"}), Critical, 4,
             CriticalEntry(4, kSequence, "[re]", kRule2)),
        Case("UnknownIdentifier", Submission({"RA", "RE", "RW", "XX"}), Critical, 4,
             CriticalEntry(4, "Invalid Record Identifier [Position 1 - 2]", "[XX]",
                           "Enter appropriate code: RW, RO, RS, RT, RU, RV, or RF. This condition "
                           "may also be caused by an incorrect record length.")),
        Case("ErrorLimit", Head() + FaultyRW("123456789", 2), Critical, 3, ErrorLimit(3, 1), "", 1),
        // With the default limit the run goes on to the end of the file...
        Case("BelowTheLimit", Head() + FaultyRW("123456789", 2), Errors, 4, MissingFinal(4, "RW")),
        // ...and stops at the record that brings the count to 500.
        Case("DefaultLimit", Head() + FaultyRW("123456789", 600), Critical, 502,
             ErrorLimit(502, 500)),
        // A non-numeric amount marks the block: the total names the record.
        Case("NonNumericAmount",
             Submission({"RA", "RE", "RW"}) + FaultyRW("987654321") +
                 test::MatchingRT(ValidRecord("RW"), 2) + "\r\n" + test::ValidRF(2),
             Errors, 6,
             {{"5", "", "Social Security Wages [Position 40 - 54]", "[000000010000000]",
               "The calculated sum is incorrect because of a non-numeric value entered in the RW "
               "record with SSN#: 987654321."}}),
        // The run tells the order rules whether the block has RO and RS records...
        Case("BlockWithRO", Submission({"RA", "RE", "RW", "RO", "RW", "RT", "RU", "RF"}), Clean, 8),
        Case("BlockWithRS", Submission({"RA", "RE", "RW", "RS", "RT", "RV", "RF"}), Clean, 7),
        Case("ROSeenUpToTheNextBlock", Submission({"RA", "RE", "RW", "RO", "RT", "RE"}), Critical,
             6, CriticalEntry(6, kSequence, "[RE]", kRule6)),
        // ...and the next block's RE clears them.
        Case("NextBlockWithoutRO",
             Submission({"RA", "RE", "RW", "RO", "RT", "RU", "RE", "RW", "RT", "RU"}), Critical, 10,
             CriticalEntry(10, kSequence, "[RU]", kRule7)),
        // Lower-case rw records count for the RF record.
        Case("RFCountsLowerCaseRW", Submission({"RA", "RE", "rw", "RW", "RT", "RF"}), Clean, 6),
        Case("RFCountWrong", Submission({"RA", "RE", "RW", "RW", "RT"}) + test::ValidRF(3), Errors,
             6,
             {{"6", "", "Number of RW Records [Position 8 - 16]", "[000000003]",
               "The number of RW records in the submission does not equal the value in the RF "
               "record."}})),
    [](const ::testing::TestParamInfo<RunCase>& info) { return info.param.name; });

// --- record order ------------------------------------------------------------

// Each pair "prev cur", with " ro" or " rs" when the block has had such a record.
TEST(RecordOrderTest, FollowsTheStateMachine) {
  const std::pair<const char*, std::vector<std::string>> rules[] = {
      {nullptr,
       {"RE RW", "RW RO", "RO RW ro", "RW RS", "RS RS rs", "RS RW rs", "RW RT", "RT RE", "RT RF",
        "RO RS ro", "RT RU ro", "RU RF ro", "RU RE ro", "RV RF rs", "RV RE rs",
        // RT and RU of a block with RS accept any successor.
        "RT RA rs", "RT RV rs", "RU RW ro rs",
        // Lower-case rw is dispatched but matches no order rule.
        "RE rw", "rw RF"}},
      {"RW record must follow RE record.", {"RE RE", "RE RF", "RE RO"}},
      {kRule2, {"RW RE", "RW RU", "RW RF", "RW rw"}},
      {"RW or RS or RT record must follow RO record.", {"RO RO ro", "RO RU ro"}},
      {"RW or RS or RT record must follow RS record.", {"RS RO rs", "RS RF rs"}},
      {"RE or RF record must follow RV record.", {"RV RW rs", "RV RV rs"}},
      {kRule6, {"RT RF ro", "RT RE ro"}},
      {kRule7, {"RT RU", "RT RW"}},
      {"RE or RF record must follow RU record whenever RS record is not generated.", {"RU RW ro"}},
  };
  for (const auto& [message, pairs] : rules) {
    for (const std::string& pair : pairs) {
      const auto violation = SequenceViolation(pair.substr(0, 2), pair.substr(3, 2),
                                               pair.find(" ro") != std::string::npos,
                                               pair.find(" rs") != std::string::npos);
      EXPECT_EQ(violation ? violation->text : "none", message ? message : "none") << pair;
    }
  }
}

// --- what the user sees ----------------------------------------------------------

TEST_F(TestRunTest, UpperCasesEverythingButTheContactEmail) {
  std::string ra = ValidRecord("RA");
  test::Put(ra, 446, "mail@example.com");
  test::Put(ra, 396, "contact");
  std::string rw = ValidRecord("RW");
  test::Put(rw, 40, "smith\xE9{");
  test::Put(rw, 446, "mail");  // the exception is the RA record's alone
  // The file's path is stored as the system gives it.
  const std::string path = dir_.Write("r\xC3\xA9sum\xC3\xA9.txt", ra + rw);
  RunFile(path);
  EXPECT_EQ(QueryValue(db(), "SELECT Path FROM MISC"), path);
  const Rows stored = QueryRows(db(), "SELECT Record FROM RECORDS ORDER BY Rec_Num");
  EXPECT_EQ(stored.at(0).at(0).substr(445, 16), "mail@example.com");
  EXPECT_EQ(stored.at(0).at(0).substr(395, 7), "CONTACT");
  // Bytes above 127 are kept as their Latin-1 characters.
  EXPECT_EQ(stored.at(1).at(0).substr(39, 8), "SMITH\xC3\xA9{");
  EXPECT_EQ(stored.at(1).at(0).substr(446, 4), "MAIL");
}

// While a run writes its results they read as unfinished. Cancel on the first
// dialog, or Exit before the first record, keeps the previous results.
TEST_F(TestRunTest, PreviousResultsStayUntilTheFirstRecord) {
  int unfinished_seen = 0;
  host_.between_records = [&] {
    if (std::filesystem::exists(db())) {
      unfinished_seen += !RunFinished(Database(db(), Database::Mode::ReadOnly));
    }
  };
  host_.files.push_back(dir_.Write("clean.txt", Submission(kClean)));
  EXPECT_EQ(TestRun(host_, db(), kDefaultErrorLimit, false).ReadFile().outcome, Clean);
  EXPECT_GT(unfinished_seen, 0);
  host_.between_records = nullptr;
  EXPECT_EQ(Run({}).outcome, Cancelled);
  host_.stop_at_record_call = host_.responsive_calls + 1;
  EXPECT_EQ(Run({Submission({"RA", "RE"})}).outcome, Aborted);
  EXPECT_EQ(Records().size(), 5u);
  EXPECT_TRUE(RunFinished(Database(db(), Database::Mode::ReadOnly)));
}

TEST_F(TestRunTest, CleanRunOffersTheFilingServiceWithinThePeriod) {
  const std::string plain = "Testing Completed.\r\nThere were no errors found.";
  host_.yes_no_answer = MessageAnswer::Yes;
  for (const auto& [date, offered] : std::vector<std::pair<Date, bool>>{{{2011, 12, 4}, false},
                                                                        {{2011, 12, 5}, true},
                                                                        {{2012, 12, 1}, true},
                                                                        {{2012, 12, 2}, false}}) {
    host_.messages.clear();
    host_.today = date;
    Run({Submission(kClean)});
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].icon, offered ? MessageIcon::Question : MessageIcon::Information);
    EXPECT_EQ(host_.messages[0].text,
              offered ? plain +
                            "\r\n\r\nWould you like to connect to the Quorvix Web site to "
                            "submit the wage report?"
                      : plain);
  }
  EXPECT_EQ(host_.filing_service_opened, 2);
  EXPECT_EQ(QueryValue(db(), "SELECT RptDate FROM MISC"), "12/02/2012");
}

// --- the database ----------------------------------------------------------------

TEST_F(TestRunTest, StoresStampsAndBlockTotals) {
  EXPECT_EQ(
      Run({Submission({"RA", "RE", "RW", "RW", "RO", "RT", "RU", "RE", "RW", "RT", "RF"})}).outcome,
      RunOutcome::Clean);
  EXPECT_EQ(QueryRows(db(),
                      "SELECT group_concat(ID || IFNULL(RE_Indx, '-') || IFNULL(RecReference, '-'),"
                      " ' ') FROM RECORDS"),
            (Rows{{"RA-123456789 RE1123456789 RW1123456789 RW1123456789 RO1123456789 "
                   "RT1123456789 RU1123456789 RE2123456789 RW2123456789 RT2123456789 RF--"}}));
  // A valid User ID is masked in the stored record and noted in MISC.
  EXPECT_EQ(QueryValue(db(), "SELECT substr(Record, 12, 8) FROM RECORDS WHERE Rec_Num = 1"),
            "********");
  EXPECT_EQ(QueryValue(db(), "SELECT PinOK FROM MISC"), "1");
  // The block rows hold the sums whenever the run ends.
  const int64_t wages = std::stoll(ValidRecord("RW").substr(187, 11));
  EXPECT_EQ(
      QueryRows(db(), "SELECT Indx, \"0\", CAST(\"1\" AS INTEGER), F1ErrRef, \"24\" FROM TRT"),
      (Rows{{"1", "2", std::to_string(2 * wages), "None", "0.0"},
            {"2", "1", std::to_string(wages), "None", "0.0"}}));
  EXPECT_EQ(QueryValue(db(), "SELECT \"0\" FROM TRU WHERE Indx = 1"), "1");
  // Without a valid User ID MISC says so.
  std::string no_user_id = ValidRecord("RA");
  test::Put(no_user_id, 12, "        ");
  Run({no_user_id + Submission({"RE", "RW", "RT", "RF"})});
  EXPECT_EQ(QueryValue(db(), "SELECT PinOK FROM MISC"), "0");
}

}  // namespace
}  // namespace ledgerly
