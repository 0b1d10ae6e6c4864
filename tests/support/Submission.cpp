#include "support/Submission.h"

#include "support/RecordBuilder.h"

namespace ledgerly::test {

std::string ValidRecord(std::string_view id) {
  return BlankRecord(id);
}

std::string MatchingRT(const std::string&, long long) { return ValidRecord("RT"); }

std::string ValidRF(long long) { return ValidRecord("RF"); }

std::string Submission(const std::vector<std::string>& ids, std::string_view separator) {
  std::string content;
  for (const std::string& id : ids) {
    content += ValidRecord(id);
    content += separator;
  }
  return content;
}

}  // namespace ledgerly::test
