#include "engine/TestRun.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <vector>

#include "engine/FailureNotice.h"
#include "engine/FileNames.h"
#include "engine/RecordReader.h"
#include "layout/FieldNumbers.h"
#include "layout/RecordLayouts.h"
#include "layout/RecordTypes.h"
#include "rules/Catalogue.h"
#include "rules/FileChecks.h"
#include "rules/Primitives.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

constexpr char kEndOfFileMark = 26;

// While online filing is open, a clean run offers to go on to the filing service.
constexpr Date kFilingOpens{2011, 12, 5};
constexpr Date kFilingCloses{2012, 12, 1};

// Only a-z: a locale-dependent conversion could change what the record holds.
// Byte arithmetic throughout, so the compiler converts 16 characters at a time.
[[gnu::noinline]] void UpperCaseRange(char* begin, char* end) {
  for (char* c = begin; c < end; ++c) {
    const auto u = static_cast<uint8_t>(*c);
    const auto offset = static_cast<uint8_t>(u - uint8_t{'a'});
    *c = static_cast<char>(offset < uint8_t{26} ? static_cast<uint8_t>(u - uint8_t{'a' - 'A'}) : u);
  }
}

// The RA record's contact e-mail address keeps its case.
void UpperCase(std::string& record) {
  constexpr FieldLayoutRow kEmail = kRALayout[ra::kContactEmail];
  constexpr std::size_t kBefore = kEmail.first - 1, kAfter = kEmail.last;
  char* const begin = record.data();
  char* const end = begin + record.size();
  if (record.compare(0, 2, "RA") == 0 && record.size() > kBefore) {
    UpperCaseRange(begin, begin + kBefore);
    if (record.size() > kAfter) UpperCaseRange(begin + kAfter, end);
  } else {
    UpperCaseRange(begin, end);
  }
}

bool SameIdIgnoringCase(std::string_view id, std::string_view upper) {
  if (id.size() != upper.size()) return false;
  for (std::size_t i = 0; i < id.size(); ++i) {
    char c = id[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upper[i]) return false;
  }
  return true;
}

}  // namespace

// The findings of a Test run's rules become ERRORS rows of the current record.
class TestRun::Findings : public FindingSink {
 public:
  explicit Findings(TestRun& run) : run_(run) {}

  void AddFieldError(std::string_view code, std::string_view reference, std::string_view user_entry,
                     std::string_view error, int) override {
    run_.AddError(code, reference, user_entry, error);
  }

 private:
  TestRun& run_;
};

TestRun::TestRun(RunHost& host, std::filesystem::path database, int error_limit, bool writer_thread)
    : host_(host),
      database_path_(std::move(database)),
      error_limit_(error_limit),
      writer_thread_(writer_thread) {}

TestRun::TestRun(RunHost& host, ResultStore& reused_store, int error_limit, bool writer_thread)
    : TestRun(host, {}, error_limit, writer_thread) {
  reused_store_ = &reused_store;
}

TestRun::~TestRun() = default;

RunResult TestRun::ReadFile() {
  rec_ctr_ = 1;
  bad_rec_id_ = ro_seen_ = rs_seen_ = seq_error_ = missing_final_ = aborted_ = false;
  last_id_.clear();
  stored_records_ = rw_records_ = error_count_ = critical_rec_num_ = 0;
  critical_error_.clear();
  last_error_critical_ = current_pending_ = false;
  diagnoses_.clear();
  diagnoses_stored_ = 0;
  spilled_rec_num_ = 0;
  store_.reset();
  findings_ = std::make_unique<Findings>(*this);
  context_ = std::make_unique<RuleContext>(*findings_);

  try {
    for (;;) {
      const auto chosen =
          host_.ChooseFile(rec_ctr_ == 1 ? "Please Enter File Name to be Tested"
                                         : "Please Enter Next File Name to be Tested");
      if (!chosen) {
        if (missing_final_) return AbandonAfterMissingFinal();
        return Result(RunOutcome::Cancelled);
      }
      std::error_code ec;
      const bool exists = *chosen == kStandardInput || std::filesystem::exists(PathOf(*chosen), ec);
      // A loop of links or a folder that may not be searched is not "not found".
      if (ec && ec != std::errc::no_such_file_or_directory) throw std::system_error(ec, *chosen);
      if (!exists) {
        host_.ShowMessage(MessageIcon::Information, "Submission File Not Found",
                          *chosen + " was not found.", MessageButtons::Ok);
        if (missing_final_) return AbandonAfterMissingFinal();
        host_.ShowMessage(MessageIcon::Critical, "Submission File Name Error",
                          "Please check to make sure that correct File Name was entered and /or "
                          "correct Drive was chosen.",
                          MessageButtons::Ok);
        return Result(RunOutcome::FileNotFound);
      }
      // The run stopped inside the file.
      if (!TestFile(*chosen)) return Stop(aborted_ ? RunOutcome::Aborted : RunOutcome::Critical);
      host_.Progress({rec_ctr_ - 1, file_records_, file_size_, file_size_});
      if (EndOfFile() == FileEnd::Finished) return Finish();
    }
  } catch (const SubmissionReadFailure&) {
    return Fail("Submission File Error", "Unreadable data in File:\r\n" + file_path_);
  } catch (const StoreError& e) {
    return FailInStore(FailureNotice(e.code(), e.what()));
  } catch (const std::system_error& e) {
    // The description names the file as well as the cause.
    return Fail("Submission File Error", FailureNotice(e.code().value(), e.what()));
  } catch (const std::bad_alloc&) {
    return Fail("Submission File Error", FailureNotice(7, "Out of memory"));
  }
}

// The results name a file by its full path, as the file dialog gives it; the
// command line may be given a relative one, which means nothing once the
// results are read from another folder.
static std::string StoredPath(const std::string& path) {
  if (path == kStandardInput) return path;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(PathOf(path), ec);
  return ec ? path : full.lexically_normal().string();
}

// Reads one file record by record. Returns false when the run stopped.
bool TestRun::TestFile(const std::string& path) {
  file_path_ = path;
  RecordReader reader(path);
  file_size_ = reader.size();

  host_.FileStarted(path);
  if (rec_ctr_ == 1) {
    // Stopped before the first record: the previous results stay in place.
    if (host_.KeepResponsive()) {
      aborted_ = true;
      return false;
    }
    store_ = OpenStore();
    if (!store_) {
      aborted_ = true;
      return false;
    }
  }
  store_->AddMisc(StoredPath(path), FormatDate(host_.Today()));
  bytes_read_ = 0;
  file_records_ = 0;

  std::string record;
  record.reserve(kRecordLength);
  while (reader.Next(record)) {
    bytes_read_ = reader.bytes_read();
    const int64_t errors_before = error_count_;
    record_codes_.clear();
    const RecordStep step = HandleRecord(record);
    if (step != RecordStep::EndOfFile && !aborted_) DiagnoseRecord(reader, record, errors_before);
    if (step == RecordStep::Stop) return false;
    if (step == RecordStep::EndOfFile) return true;
  }
  bytes_read_ = reader.bytes_read();
  return true;
}

// Most records are clean and end with a line break: for them this is two
// comparisons. Only a record with entries, or one whose line goes on past 512
// bytes, is looked at.
void TestRun::DiagnoseRecord(const RecordReader& reader, std::string_view record,
                             int64_t errors_before) {
  const bool damaged = error_count_ > errors_before;
  const std::string_view following = reader.Following();
  const bool line_goes_on = record.size() == kRecordLength && !following.empty() &&
                            following[0] != '\r' && following[0] != '\n';
  if (!damaged && !line_goes_on) return;
  const int64_t rec_num = current_.Rec_Num;
  // The last bytes of a record too long, read as a record of their own: what
  // they drew follows from the cause found in the record before.
  const bool rest_of_spilled = spilled_rec_num_ != 0 && spilled_rec_num_ + 1 == rec_num;
  spilled_rec_num_ = 0;
  std::optional<Diagnosis> found;
  if (!rest_of_spilled) {
    found = Diagnose({rec_num, reader.record_end() - record.size(), record, following}, *context_);
    if (!found) return;
  }
  Diagnosis& diagnosis = rest_of_spilled ? diagnoses_.back() : *found;
  const std::string limit_code = CheckCode("", 0, finding::kErrorLimit.kind);
  for (int64_t err_num = errors_before + 1; err_num <= error_count_; ++err_num) {
    const std::size_t i = static_cast<std::size_t>(err_num - errors_before - 1);
    if (i < record_codes_.size() && record_codes_[i] == limit_code) continue;
    diagnosis.explains.push_back(err_num);
  }
  if (rest_of_spilled) return;
  found->file = StoredPath(file_path_);
  if (found->spills_into_next) spilled_rec_num_ = rec_num;
  diagnoses_.push_back(std::move(*found));
}

void TestRun::StoreDiagnoses() {
  for (; diagnoses_stored_ < diagnoses_.size(); ++diagnoses_stored_) {
    store_->InsertDiagnosis(diagnoses_[diagnoses_stored_]);
  }
}

// Waits while another run writes the same database; nothing when the user
// chose Exit meanwhile.
std::unique_ptr<ResultClaim> TestRun::ClaimDatabase() {
  bool told = false;
  return ResultClaim::ForRun(database_path_, [&] {
    if (!told) host_.ShowStatus("Waiting for another test run on " + database_path_.string());
    told = true;
    return !host_.KeepResponsive();
  });
}

std::unique_ptr<StoreWriter> TestRun::OpenStore() {
  if (reused_store_) {
    reused_store_->Reset();
    return std::make_unique<StoreWriter>(*reused_store_, writer_thread_);
  }
  std::unique_ptr<ResultClaim> claim = ClaimDatabase();
  if (!claim) return nullptr;
  return std::make_unique<StoreWriter>(ResultStore::Create(database_path_, std::move(claim)),
                                       writer_thread_);
}

TestRun::RecordStep TestRun::HandleRecord(std::string& record) {
  if (host_.KeepResponsive()) {
    aborted_ = true;
    return RecordStep::Stop;
  }
  ++file_records_;
  host_.Progress({rec_ctr_, file_records_, bytes_read_, file_size_});

  const std::size_t length = record.size();
  current_id_ = record.substr(0, 2);
  UpperCase(record);
  // Reuses the buffers of the previous record.
  current_.Rec_Num = rec_ctr_;
  current_.ID = current_id_;
  current_.RE_Indx.reset();
  current_.Errors = 0;
  current_.Record.assign(record);
  current_.RecReference.reset();
  current_pending_ = true;

  if (const auto finding = HeaderFinding(rec_ctr_, record, current_id_)) {
    AddCriticalError(*finding);
  } else if (rec_ctr_ > 1 && (current_id_[0] == kEndOfFileMark || current_id_[0] == '\0')) {
    return HandleEndOfFileMarker(record);
  } else if (const auto placed = PlaceFinding(last_id_, current_id_, length)) {
    AddCriticalError(*placed);
  } else {
    FillFields(record);
    if (bad_rec_id_) {
      AddCriticalError(InvalidIdentifier(current_id_));
    } else if (error_count_ > 0 && !last_error_critical_ && error_count_ >= error_limit_) {
      AddCriticalError(ErrorLimitReached(error_limit_));
    }
  }
  StoreCurrentRecord();
  if (error_count_ > 0 && last_error_critical_) return RecordStep::Stop;
  ++rec_ctr_;
  CommitIfDue();
  return RecordStep::Continue;
}

TestRun::RecordStep TestRun::HandleEndOfFileMarker(const std::string& record) {
  if (last_id_ == "RF") {
    for (char c : record) {
      if (c == kEndOfFileMark || c == '\0') continue;
      AddCriticalError(RecordAfterFinal(current_id_));
      StoreCurrentRecord();
      return RecordStep::Stop;
    }
  }
  // The marker is dropped and its number is taken by the next record.
  current_pending_ = false;
  return RecordStep::EndOfFile;
}

TestRun::FileEnd TestRun::EndOfFile() {
  if (rec_ctr_ < 2 || last_id_ == "RF") return FileEnd::Finished;
  // A failed write is told before anything else.
  store_->Sync();
  host_.ShowMessage(MessageIcon::Exclamation, "Missing Final Record",
                    "RF record was not found.  Submission must end with a final record.  If the "
                    "wage report submission is saved on multiple disks or multiple data files, "
                    "click OK then choose the next file.",
                    MessageButtons::Ok);
  missing_final_ = true;
  return FileEnd::NextFile;
}

void TestRun::FillFields(std::string_view txtline) {
  const std::string_view id = txtline.substr(0, 2);
  bad_rec_id_ = !IsRecordIdentifier(id);
  if (bad_rec_id_) return;
  // The block flags: RO and RS are noted before the order check, RE clears them after it.
  if (id == "RO") ro_seen_ = true;
  if (id == "RS") rs_seen_ = true;
  SequenceCheck();
  if (id == "RE") ro_seen_ = rs_seen_ = false;
  if (!seq_error_) CheckFields(id, txtline);
}

void TestRun::SequenceCheck() {
  if (rec_ctr_ < 2) return;
  if (const auto finding = OrderFinding(last_id_, current_id_, ro_seen_, rs_seen_)) {
    AddCriticalError(*finding);
    seq_error_ = true;
  }
}

void TestRun::StoreCurrentRecord() {
  if (!current_pending_) return;
  current_pending_ = false;
  store_->InsertRecord(current_);
  last_id_ = current_.ID;
  ++stored_records_;
  if (SameIdIgnoringCase(current_.ID, "RW")) ++rw_records_;
}

// The rules run over the record; what they leave goes to its RECORDS row, and an
// opened block's rows to TRT/TRU. The block before an RE is written while its
// sums are still in memory.
void TestRun::CheckFields(std::string_view id, std::string_view txtline) {
  RuleContext& ctx = *context_;
  if (id == "RE") PersistBlocks();
  ctx.stamps = {};
  ctx.rw_records = rw_records_;
  CheckRecordFields(id, txtline, ctx);
  RecordStamps& stamps = ctx.stamps;
  if (stamps.rec_reference) current_.RecReference = std::move(stamps.rec_reference);
  if (stamps.re_indx) current_.RE_Indx = stamps.re_indx;
  if (stamps.stored_record) current_.Record = std::move(*stamps.stored_record);
  // A failed ID marks the first file's row, a valid one the current file's row.
  if (stamps.pin_ok) store_->SetPinOK(*stamps.pin_ok, !*stamps.pin_ok);
  if (stamps.opened_block) {
    store_->InsertAccumulatorRow(Totals::TRT, ctx.block.trt);
    store_->InsertAccumulatorRow(Totals::TRU, ctx.block.tru);
  }
}

void TestRun::PersistBlocks() {
  if (!store_ || context_->block.trt.Indx == 0) return;
  store_->UpdateAccumulatorRow(Totals::TRT, context_->block.trt);
  store_->UpdateAccumulatorRow(Totals::TRU, context_->block.tru);
}

void TestRun::CloseStore() {
  if (!store_) return;
  StoreDiagnoses();
  PersistBlocks();
  store_->Close();
}

void TestRun::CommitIfDue() {
  if (!store_->CommitDue()) return;
  PersistBlocks();
  store_->Commit();
}

void TestRun::AddError(std::string_view code, std::string_view reference,
                       std::string_view user_entry, std::string_view error) {
  LogError(rec_ctr_, false, code, reference, user_entry, error);
  ++current_.Errors;
}

void TestRun::AddCriticalError(const FileFinding& finding) {
  LogError(rec_ctr_, true, finding.code, finding.reference, finding.user_entry, finding.error);
  ++current_.Errors;
}

void TestRun::AddErrorToLastRecord(const FileFinding& finding) {
  if (stored_records_ == 0) return;
  const int64_t rec_num = rec_ctr_ - 1;
  LogError(rec_num, finding.critical, finding.code, finding.reference, finding.user_entry,
           finding.error);
  store_->AddToErrorCount(rec_num, 1);
}

void TestRun::LogError(int64_t rec_num, bool critical, std::string_view code,
                       std::string_view reference, std::string_view user_entry,
                       std::string_view error) {
  store_->InsertError(rec_num, critical, code, reference, user_entry, error);
  record_codes_.emplace_back(code);
  ++error_count_;
  last_error_critical_ = critical;
  if (critical) {
    critical_rec_num_ = rec_num;
    critical_error_ = std::string(error);
  }
}

RunResult TestRun::Result(RunOutcome outcome) const {
  return {outcome, stored_records_, error_count_, critical_rec_num_, critical_error_, diagnoses_};
}

RunResult TestRun::Finish() {
  CloseStore();
  RunResult result = Result(RunOutcome::Clean);
  if (error_count_ > 0) {
    result.outcome = RunOutcome::Errors;
  } else if (stored_records_ > 0) {
    const Date today = host_.Today();
    if (today >= kFilingOpens && today <= kFilingCloses) {
      const MessageAnswer answer = host_.ShowMessage(
          MessageIcon::Question, "Results",
          "Testing Completed.\r\nThere were no errors found.\r\n\r\nWould you like to connect to "
          "the Quorvix Web site to submit the wage report?",
          MessageButtons::YesNo);
      if (answer == MessageAnswer::Yes) host_.OpenFilingService();
    } else {
      host_.ShowMessage(MessageIcon::Information, "Results",
                        "Testing Completed.\r\nThere were no errors found.", MessageButtons::Ok);
    }
  } else {
    result.outcome = RunOutcome::NoData;
    host_.ShowMessage(MessageIcon::Exclamation, "Results",
                      "Warning: The file contains no valid data.", MessageButtons::Ok);
  }
  return result;
}

RunResult TestRun::Stop(RunOutcome outcome) {
  if (stored_records_ == 0) {
    store_.reset();  // stopped before the first record: the previous results stay
    return Result(outcome);
  }
  if (outcome == RunOutcome::Aborted) {
    AddErrorToLastRecord(TestAborted());
  }
  CloseStore();
  return Result(outcome);
}

void TestRun::LogMissingFinal() {
  AddErrorToLastRecord(MissingFinal(last_id_));
}

RunResult TestRun::AbandonAfterMissingFinal() {
  LogMissingFinal();
  CloseStore();
  return Result(RunOutcome::Errors);
}

// A failure must never leave a result that reads as a clean run: the last stored
// record gets a Critical entry with the notice the user saw.
RunResult TestRun::Fail(std::string_view title, std::string_view text) {
  if (store_ && stored_records_ == 0 && !current_pending_)
    return FailWithNothingStored(title, text);
  host_.ShowMessage(MessageIcon::Critical, title, text, MessageButtons::Ok);
  if (!store_) return Result(RunOutcome::Failed);
  try {
    StoreCurrentRecord();
    if (missing_final_) LogMissingFinal();
    AddErrorToLastRecord(SubmissionFileError(last_id_, text));
    CloseStore();
    return Result(RunOutcome::Failed);
  } catch (const StoreError&) {
    return EndAfterStoreFailure(text);
  }
}

// Only a run that stored a record replaces the previous results.
RunResult TestRun::FailWithNothingStored(std::string_view title, std::string_view text) {
  store_.reset();
  std::error_code ec;
  const bool kept = std::filesystem::exists(database_path_, ec);
  host_.ShowMessage(MessageIcon::Critical, title,
                    std::string(text) + (kept ? "\r\nThe previous results were kept." : ""),
                    MessageButtons::Ok);
  stored_records_ = error_count_ = critical_rec_num_ = 0;
  critical_error_.clear();
  return Result(RunOutcome::Failed);
}

RunResult TestRun::FailInStore(std::string_view text) {
  constexpr std::string_view kTitle = "Submission File Error";
  if (!store_) {
    // The database was refused or could not be made: it says so itself.
    host_.ShowMessage(MessageIcon::Critical, kTitle, text, MessageButtons::Ok);
    return Result(RunOutcome::Failed);
  }
  StoredTail tail;
  try {
    tail = store_->RollBack();
  } catch (const StoreError& e) {
    host_.ShowMessage(MessageIcon::Critical, kTitle, text, MessageButtons::Ok);
    return EndInFailedStore(text, e);
  }
  if (tail.records == 0) return FailWithNothingStored(kTitle, text);
  host_.ShowMessage(MessageIcon::Critical, kTitle, text, MessageButtons::Ok);
  try {
    return EndWithCritical(tail, text);
  } catch (const StoreError& e) {
    return EndInFailedStore(text, e);
  }
}

// After a failed write that was already told.
RunResult TestRun::EndAfterStoreFailure(std::string_view text) {
  try {
    const StoredTail tail = store_->RollBack();
    if (tail.records == 0) {
      store_.reset();  // nothing stored: the previous results stay
      stored_records_ = error_count_ = 0;
      return Result(RunOutcome::Failed);
    }
    return EndWithCritical(tail, text);
  } catch (const StoreError& e) {
    return EndInFailedStore(text, e);
  }
}

// The open transaction may have held records and entries the file never got:
// it was dropped, and the Critical entry goes on the last record actually stored.
RunResult TestRun::EndWithCritical(const StoredTail& tail, std::string_view text) {
  stored_records_ = tail.records;
  error_count_ = tail.errors;
  critical_rec_num_ = 0;
  critical_error_.clear();
  const FileFinding failure = SubmissionFileError(tail.last_id, text);
  store_->CloseWithCritical(tail.records, failure.code, failure.reference, failure.user_entry,
                            failure.error);
  ++error_count_;
  critical_rec_num_ = tail.records;
  critical_error_ = std::string(text);
  return Result(RunOutcome::Failed);
}

// Even the failure entry could not be written: what was committed stays, and
// its mark tells every reader the run did not finish.
RunResult TestRun::EndInFailedStore(std::string_view text, const StoreError& e) {
  host_.ShowMessage(MessageIcon::Critical, "Submission File Error",
                    std::string(text) + "\r\n" + FailureNotice(e.code(), e.what()),
                    MessageButtons::Ok);
  try {
    store_->CloseUnfinished();
  } catch (const StoreError& again) {
    host_.ShowMessage(MessageIcon::Critical, "Submission File Error",
                      FailureNotice(again.code(), again.what()), MessageButtons::Ok);
  }
  store_.reset();
  return RunResult{RunOutcome::Failed, 0, 0, 0, {}, {}};
}

}  // namespace ledgerly
