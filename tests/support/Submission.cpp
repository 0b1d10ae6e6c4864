#include "support/Submission.h"

#include "support/RecordBuilder.h"
#include "support/ValidRecords.h"

namespace ledgerly::test {

std::string ValidRecord(std::string_view id) {
  if (id == "RA") return ValidRA();
  if (id == "RE") return ValidRE();
  if (id == "RF") return ValidRF(0);
  return BlankRecord(id);
}

std::string MatchingRT(const std::string&, long long) { return ValidRecord("RT"); }

std::string Submission(const std::vector<std::string>& ids, std::string_view separator) {
  std::string content;
  long long rw_count = 0;
  for (const std::string& id : ids) {
    if (id == "RW" || id == "rw") ++rw_count;
    content += id == "RF" ? ValidRF(rw_count) : ValidRecord(id);
    content += separator;
  }
  return content;
}

}  // namespace ledgerly::test
