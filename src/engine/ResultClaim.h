#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "engine/Sqlite.h"
#include "platform/FileLock.h"

namespace ledgerly {

// A run refused because a run is writing the results a reader asked for.
class ResultsBeingWritten : public StoreError {
 public:
  explicit ResultsBeingWritten(const std::filesystem::path& database);
};

// Who may touch a result database: one run at a time writes it, and no run
// replaces results a program is showing. A run holds its claim from before it
// looks at the file until its results are in place and closed; a program that
// shows results holds a viewer's share for as long as it shows them. The claim
// lives on the lock file "<database>-lock", which stays beside the database.
class ResultClaim {
 public:
  // A run's claim. While another run holds it, waits (up to ten minutes),
  // asking keep_waiting every few milliseconds; nullptr when that answers
  // false. Throws StoreError when a viewer holds it, the wait runs out or the
  // lock file cannot be made.
  static std::unique_ptr<ResultClaim> ForRun(const std::filesystem::path& database,
                                             const std::function<bool()>& keep_waiting);
  // A viewer's share. Throws ResultsBeingWritten while a run holds the claim.
  static std::unique_ptr<ResultClaim> ForViewing(const std::filesystem::path& database);

  ~ResultClaim();
  ResultClaim(const ResultClaim&) = delete;
  ResultClaim& operator=(const ResultClaim&) = delete;

 private:
  explicit ResultClaim(const std::filesystem::path& database, bool run);
  platform::FileLock lock_;
};

// The results at path, opened for reading in one read transaction begun under
// a viewer's claim: everything read through it belongs to one run, even when a
// run replaces the file meanwhile, and holding it never holds up that run.
std::unique_ptr<Database> OpenResultsSnapshot(const std::filesystem::path& path);

}  // namespace ledgerly
