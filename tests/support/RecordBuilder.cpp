#include "support/RecordBuilder.h"

namespace ledgerly::test {

std::string BlankRecord(std::string_view id) {
  std::string record(512, ' ');
  record.replace(0, id.size(), id);
  return record;
}

void Put(std::string& record, int position, std::string_view text) {
  const auto begin = static_cast<std::size_t>(position - 1);
  if (record.size() < begin + text.size()) record.resize(begin + text.size(), ' ');
  record.replace(begin, text.size(), text);
}

}  // namespace ledgerly::test
