#include "rules/FileChecks.h"

#include "layout/RecordLayouts.h"
#include "rules/Catalogue.h"
#include "rules/Primitives.h"
#include "rules/RecordOrder.h"

namespace ledgerly {
namespace {

using namespace finding;

FileFinding Make(const Finding& finding, std::string reference, std::string user_entry,
                 std::initializer_list<std::string_view> values = {}) {
  return {CheckCode("", 0, finding.kind), std::move(reference), std::move(user_entry),
          FindingText(finding, {}, 0, values), finding.severity == Severity::Critical};
}

FileFinding OutOfSequence(std::string_view id, const Finding& finding,
                          std::initializer_list<std::string_view> values = {}) {
  return Make(finding, kSequenceReference, UserEntry(id), values);
}

}  // namespace

std::optional<FileFinding> HeaderFinding(int64_t rec_num, std::string_view record,
                                         std::string_view id) {
  if (rec_num == 1 && record.substr(0, 3) == "RCA") {
    return Make(kOtherFormat, "Record Identifier [Position 1 - 2]", UserEntry(id));
  }
  if (rec_num == 1 && id != "RA") return OutOfSequence(id, kFirstNotRA);
  if (rec_num == 2 && id != "RE") return OutOfSequence(id, kSecondNotRE);
  return std::nullopt;
}

std::optional<FileFinding> PlaceFinding(std::string_view last_id, std::string_view id,
                                        std::size_t length) {
  if (last_id == "RF") return RecordAfterFinal(id);
  if (length < kRecordLength) {
    return Make(kWrongLength, "Record Length", std::to_string(length) + " bytes.");
  }
  return std::nullopt;
}

FileFinding InvalidIdentifier(std::string_view id) {
  return Make(kInvalidIdentifier, "Invalid Record Identifier [Position 1 - 2]", UserEntry(id));
}

FileFinding ErrorLimitReached(int error_limit) {
  const std::string limit = std::to_string(error_limit);
  return Make(kErrorLimit, limit + " or more Errors in submission", limit + " Errors", {limit});
}

FileFinding RecordAfterFinal(std::string_view id) {
  return OutOfSequence(id, kAfterFinal);
}

std::optional<FileFinding> OrderFinding(std::string_view last_id, std::string_view id, bool ro_seen,
                                        bool rs_seen) {
  const Finding* violation = SequenceViolation(last_id, id, ro_seen, rs_seen);
  if (violation == nullptr) return std::nullopt;
  return OutOfSequence(id, *violation);
}

FileFinding SubmissionFileError(std::string_view last_id, std::string_view text) {
  return Make(kSubmissionFileError, "Submission File Error", UserEntry(last_id), {text});
}

FileFinding MissingFinal(std::string_view last_id) {
  return OutOfSequence(last_id, kMissingFinal, {last_id});
}

FileFinding TestAborted() {
  return Make(kTestAborted, "Test Aborted", "Exit was chosen");
}

}  // namespace ledgerly
