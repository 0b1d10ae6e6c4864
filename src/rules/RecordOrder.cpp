#include "rules/RecordOrder.h"

#include <algorithm>
#include <initializer_list>

namespace ledgerly {
namespace {

bool OneOf(std::string_view id, std::initializer_list<std::string_view> ids) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

std::optional<std::string_view> SequenceViolation(std::string_view prev, std::string_view cur,
                                                  bool ro_seen, bool rs_seen) {
  // After RE the refused identifiers are listed, so one that matches none of the
  // nine as read (a lower-case "rw") passes.
  if (prev == "RE") {
    if (OneOf(cur, {"RA", "RE", "RO", "RS", "RT", "RU", "RV", "RF"}))
      return "RW record must follow RE record.";
    return std::nullopt;
  }
  if (prev == "RW") {
    if (!OneOf(cur, {"RW", "RO", "RS", "RT"}))
      return "RW or RO or RS or RT record must follow RW record.";
    return std::nullopt;
  }
  if (prev == "RO") {
    if (!OneOf(cur, {"RW", "RS", "RT"})) return "RW or RS or RT record must follow RO record.";
    return std::nullopt;
  }
  if (prev == "RS") {
    if (!OneOf(cur, {"RW", "RS", "RT"})) return "RW or RS or RT record must follow RS record.";
    return std::nullopt;
  }
  if (prev == "RV") {
    if (!OneOf(cur, {"RE", "RF"})) return "RE or RF record must follow RV record.";
    return std::nullopt;
  }
  if (prev == "RT" && ro_seen) {
    if (cur != "RU") return "RU record must follow RT record whenever RO record is generated.";
    return std::nullopt;
  }
  if (prev == "RT" && !rs_seen) {
    if (!OneOf(cur, {"RE", "RF"}))
      return "RE or RF record must follow RT record whenever RO or RS record is not generated.";
    return std::nullopt;
  }
  if (prev == "RU" && !rs_seen) {
    if (!OneOf(cur, {"RE", "RF"}))
      return "RE or RF record must follow RU record whenever RS record is not generated.";
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace ledgerly
