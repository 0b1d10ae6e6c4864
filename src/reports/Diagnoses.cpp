#include "reports/Diagnoses.h"

#include <algorithm>

#include "engine/Latin1.h"
#include "engine/OddBytes.h"

namespace ledgerly {

std::string LikelyCausesBlock(const std::vector<StoredDiagnosis>& diagnoses) {
  if (diagnoses.empty()) return {};
  std::string block = "Likely causes\n";
  for (const StoredDiagnosis& d : diagnoses) {
    block += "  " + d.explanation + " [" + d.code + "]\n";
    if (d.explains.empty()) continue;
    block += "    Explains error";
    block += d.explains.size() == 1 ? " " : "s ";
    for (std::size_t i = 0; i < d.explains.size(); ++i) {
      if (i > 0) block += ", ";
      block += std::to_string(d.explains[i].first) + " (" + d.explains[i].second + ")";
    }
    block += "\n";
  }
  return block + "\n";
}

std::optional<std::string> UserEntryBytes(std::string_view user_entry) {
  const std::string bytes = Utf8ToLatin1(user_entry);
  const bool high = std::any_of(bytes.begin(), bytes.end(),
                                [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (!high) return std::nullopt;
  return HexBytes(bytes);
}

}  // namespace ledgerly
