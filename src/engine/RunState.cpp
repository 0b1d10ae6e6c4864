#include "engine/RunState.h"

namespace ledgerly {
namespace {

// Kept in the header's user_version, which every file has: the tables stay as
// they are.
constexpr int kUnfinished = 1;

}  // namespace

void MarkRunUnfinished(Database& db) {
  db.Exec("PRAGMA user_version = " + std::to_string(kUnfinished));
}

void MarkRunFinished(Database& db) {
  db.Exec("PRAGMA user_version = 0");
}

bool RunFinished(const Database& db) {
  Statement version(db, "PRAGMA user_version");
  return !(version.Step() && version.Int(0) == kUnfinished);
}

}  // namespace ledgerly
