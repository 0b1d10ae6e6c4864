#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The checks of a record as a part of the file rather than of its fields: its
// place, its length, its identifier, the error limit; and the entries of a
// submission that ends without its final record, is left by Exit or fails.
// Identifiers are as read; a record is its upper-cased text.
namespace ledgerly {

struct FileFinding {
  std::string code;  // its entry in the catalogue of checks
  std::string reference;
  std::string user_entry;
  std::string error;
  bool critical = true;
};

// Critical, before anything else: the first record of another format or not
// RA, the second not RE.
std::optional<FileFinding> HeaderFinding(int64_t rec_num, std::string_view record,
                                         std::string_view id);
// Critical, after the end-of-file marker is looked for: a record after the
// final record, a record too short.
std::optional<FileFinding> PlaceFinding(std::string_view last_id, std::string_view id,
                                        std::size_t length);
// Critical, after the fields.
FileFinding InvalidIdentifier(std::string_view id);
FileFinding ErrorLimitReached(int error_limit);
// Critical: anything but end-of-file marks after the final record.
FileFinding RecordAfterFinal(std::string_view id);
// Critical: a record that may not follow the one before it (see RecordOrder.h).
std::optional<FileFinding> OrderFinding(std::string_view last_id, std::string_view id, bool ro_seen,
                                        bool rs_seen);
// Critical: the run failed; text is the notice the user saw.
FileFinding SubmissionFileError(std::string_view last_id, std::string_view text);
// On the last record, not Critical: the submission ended without its final record,
// Exit was chosen.
FileFinding MissingFinal(std::string_view last_id);
FileFinding TestAborted();

}  // namespace ledgerly
