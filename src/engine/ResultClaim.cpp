#include "engine/ResultClaim.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "engine/FileNames.h"

namespace ledgerly {
namespace {

using platform::FileLock;

// Byte 0: held by the run writing the database. Byte 1: shared by the
// programs showing its results, taken whole by a run.
constexpr int kRunSlot = 0;
constexpr int kViewSlot = 1;
constexpr auto kRunWait = std::chrono::minutes(10);
constexpr auto kRunPoll = std::chrono::milliseconds(20);

std::filesystem::path LockPath(const std::filesystem::path& database) {
  return WithSuffix(database, "-lock");
}

}  // namespace

ResultsBeingWritten::ResultsBeingWritten(const std::filesystem::path& database)
    : StoreError(SQLITE_BUSY, "A test run is writing the results in " + database.string() +
                                  ". They can be viewed once it has finished.") {}

ResultClaim::ResultClaim(const std::filesystem::path& database, bool run)
    : lock_(LockPath(database), run) {}

ResultClaim::~ResultClaim() = default;

std::unique_ptr<ResultClaim> ResultClaim::ForRun(const std::filesystem::path& database,
                                                 const std::function<bool()>& keep_waiting) {
  std::unique_ptr<ResultClaim> claim;
  try {
    claim.reset(new ResultClaim(database, true));
    const auto give_up = std::chrono::steady_clock::now() + kRunWait;
    while (!claim->lock_.TryLock(kRunSlot, FileLock::Access::Exclusive)) {
      if (!keep_waiting()) return nullptr;
      if (std::chrono::steady_clock::now() > give_up) {
        throw StoreError(SQLITE_BUSY, database.string() +
                                          " is in use by another test run; it was left unchanged.");
      }
      std::this_thread::sleep_for(kRunPoll);
    }
    if (!claim->lock_.TryLock(kViewSlot, FileLock::Access::Exclusive)) {
      throw StoreError(SQLITE_BUSY,
                       database.string() + " is in use by another program; it was left unchanged.");
    }
  } catch (const std::system_error& e) {
    throw StoreError(SQLITE_CANTOPEN, std::string("unable to open database file: ") + e.what());
  }
  return claim;
}

std::unique_ptr<ResultClaim> ResultClaim::ForViewing(const std::filesystem::path& database) {
  std::unique_ptr<ResultClaim> claim;
  try {
    claim.reset(new ResultClaim(database, false));
    if (!claim->lock_.TryLock(kViewSlot, FileLock::Access::Shared)) {
      throw ResultsBeingWritten(database);
    }
  } catch (const std::system_error& e) {
    throw StoreError(SQLITE_CANTOPEN, std::string("unable to open database file: ") + e.what());
  }
  return claim;
}

std::unique_ptr<Database> OpenResultsSnapshot(const std::filesystem::path& path) {
  const auto claim = ResultClaim::ForViewing(path);
  auto db = std::make_unique<Database>(path, Database::Mode::ReadOnly);
  db->Exec("BEGIN");
  // The first read takes the snapshot; the claim may go after it.
  db->Exec("SELECT COUNT(*) FROM sqlite_master");
  return db;
}

}  // namespace ledgerly
