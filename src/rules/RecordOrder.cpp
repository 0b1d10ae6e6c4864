#include "rules/RecordOrder.h"

#include <algorithm>
#include <initializer_list>

namespace ledgerly {
namespace {

bool OneOf(std::string_view id, std::initializer_list<std::string_view> ids) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

const Finding* SequenceViolation(std::string_view prev, std::string_view cur, bool ro_seen,
                                 bool rs_seen) {
  using namespace finding;
  // After RE the refused identifiers are listed, so one that matches none of the
  // nine as read (a lower-case "rw") passes.
  if (prev == "RE") {
    if (OneOf(cur, {"RA", "RE", "RO", "RS", "RT", "RU", "RV", "RF"})) return &kAfterRE;
    return nullptr;
  }
  if (prev == "RW") {
    if (!OneOf(cur, {"RW", "RO", "RS", "RT"})) return &kAfterRW;
    return nullptr;
  }
  if (prev == "RO") {
    if (!OneOf(cur, {"RW", "RS", "RT"})) return &kAfterRO;
    return nullptr;
  }
  if (prev == "RS") {
    if (!OneOf(cur, {"RW", "RS", "RT"})) return &kAfterRS;
    return nullptr;
  }
  if (prev == "RV") {
    if (!OneOf(cur, {"RE", "RF"})) return &kAfterRV;
    return nullptr;
  }
  if (prev == "RT" && ro_seen) {
    if (cur != "RU") return &kAfterRTWithRO;
    return nullptr;
  }
  if (prev == "RT" && !rs_seen) {
    if (!OneOf(cur, {"RE", "RF"})) return &kAfterRT;
    return nullptr;
  }
  if (prev == "RU" && !rs_seen) {
    if (!OneOf(cur, {"RE", "RF"})) return &kAfterRU;
    return nullptr;
  }
  return nullptr;
}

}  // namespace ledgerly
