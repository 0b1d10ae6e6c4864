#include "rules/FileChecks.h"

#include "layout/RecordLayouts.h"
#include "rules/Primitives.h"

namespace ledgerly {
namespace {

FileFinding OutOfSequence(std::string_view id, std::string_view error) {
  return {kSequenceReference, UserEntry(id), std::string(error)};
}

}  // namespace

std::optional<FileFinding> HeaderFinding(int64_t rec_num, std::string_view record,
                                         std::string_view id) {
  if (rec_num == 1 && record.substr(0, 3) == "RCA") {
    return FileFinding{"Record Identifier [Position 1 - 2]", UserEntry(id),
                       "The first two characters in the tested file are RC. This appears to be an "
                       "PelkinC formatted file. The Ledgerly application should be used to test "
                       "Pelkin formatted files only."};
  }
  if (rec_num == 1 && id != "RA") return OutOfSequence(id, "Record 1 must be RA record.");
  if (rec_num == 2 && id != "RE") return OutOfSequence(id, "Record 2 must be RE record.");
  return std::nullopt;
}

std::optional<FileFinding> PlaceFinding(std::string_view last_id, std::string_view id,
                                        std::size_t length) {
  if (last_id == "RF") return RecordAfterFinal(id);
  if (length < kRecordLength) {
    return FileFinding{"Record Length", std::to_string(length) + " bytes.",
                       "Must be 512 bytes for Pelkin files. This condition may also be generated "
                       "if the previous record is greater than 512 bytes or if there is a "
                       "Carriage Return/Line Feed within a record."};
  }
  return std::nullopt;
}

FileFinding InvalidIdentifier(std::string_view id) {
  return {"Invalid Record Identifier [Position 1 - 2]", UserEntry(id),
          "Enter appropriate code: RW, RO, RS, RT, RU, RV, or RF. This condition may also be "
          "caused by an incorrect record length."};
}

FileFinding ErrorLimitReached(int error_limit) {
  const std::string limit = std::to_string(error_limit);
  return {limit + " or more Errors in submission", limit + " Errors",
          limit +
              " or more errors were encountered. Please correct the errors identified in the "
              "submission and rerun Ledgerly. Please note that the number of errors allowed "
              "before Ledgerly stops testing can be set by the user to a number between 1 and "
              "25,000. For information on how to set the error limitation, please look in the "
              "Help section located on the Ledgerly Welcome Screen and/or other screens within "
              "the software."};
}

FileFinding RecordAfterFinal(std::string_view id) {
  return OutOfSequence(id, "RF record must be last record in file.");
}

FileFinding SubmissionFileError(std::string_view last_id, std::string_view text) {
  return {"Submission File Error", UserEntry(last_id), std::string(text)};
}

FileFinding MissingFinal(std::string_view last_id) {
  return OutOfSequence(last_id, "Submission must not end with " + std::string(last_id) +
                                    " record. RF record was not found. Submission must end "
                                    "with a Final record.");
}

FileFinding TestAborted() {
  return {"Test Aborted", "Exit was chosen",
          "The last file did not complete testing because the Exit Button was selected while "
          "processing."};
}

}  // namespace ledgerly
