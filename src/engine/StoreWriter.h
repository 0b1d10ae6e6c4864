#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/ResultStore.h"

namespace ledgerly {

// Hands a Test run's writes to its ResultStore, in order. With a thread of its
// own the database work overlaps the reading and the rules: the run goes on as
// soon as a write is queued, and a write that failed is thrown at the run's
// next call. Without one every write is done at once.
class StoreWriter {
 public:
  StoreWriter(std::unique_ptr<ResultStore> store, bool own_thread);
  // For a store that outlives the writer (ResultStore::CreateInMemory).
  StoreWriter(ResultStore& store, bool own_thread);
  ~StoreWriter();
  StoreWriter(const StoreWriter&) = delete;
  StoreWriter& operator=(const StoreWriter&) = delete;

  void AddMisc(std::string_view path, std::string_view rpt_date);
  void SetPinOK(bool pin_ok, bool first_row);
  void InsertRecord(const StoredRecord& record);
  void InsertError(int64_t rec_num, bool critical, std::string_view code,
                   std::string_view reference, std::string_view user_entry, std::string_view error);
  void AddToErrorCount(int64_t rec_num, int64_t delta);
  void InsertAccumulatorRow(Totals which, const AccumulatorRow& row);
  void UpdateAccumulatorRow(Totals which, const AccumulatorRow& row);
  void InsertDiagnosis(Diagnosis diagnosis);

  // True for the first record's commit (it puts the new file in place) and
  // then half a second after the last one, or sooner after many records.
  bool CommitDue() const;
  void Commit();
  // Waits until every queued write is done; throws the one that failed.
  void Sync();

  // The store's own, once every queued write is done (Close throws a failed one).
  void Close();
  StoredTail RollBack();
  void CloseUnfinished();
  void CloseWithCritical(int64_t rec_num, std::string_view code, std::string_view reference,
                         std::string_view user_entry, std::string_view error);

 private:
  struct Write {
    enum class Kind { Record, Error, Other } kind = Kind::Other;
    StoredRecord record;
    int64_t rec_num = 0;
    bool critical = false;
    std::string code, reference, user_entry, error;
    std::function<void(ResultStore&)> other;
  };

  Write& Next();
  void Queued();
  void Queue(std::function<void(ResultStore&)> write);
  void Publish();
  void Apply(Write& write);
  void WriteQueued();
  void CommitIfOverdue();
  void ThrowFailure() const;
  // Lets the thread finish what is queued (unless a write failed) and end.
  void StopThread();

  std::unique_ptr<ResultStore> owned_store_;  // null for a store lent to the writer
  ResultStore* store_;
  std::chrono::nanoseconds last_commit_{};  // CoarseNow
  bool first_commit_done_ = false;
  std::size_t uncommitted_bytes_ = 0;  // of records queued since the last commit

  std::vector<Write> ring_;
  uint64_t queued_ = 0, free_until_ = 0;  // the run's side only
  std::mutex mutex_;
  std::condition_variable work_, room_;
  uint64_t published_ = 0, written_ = 0;  // under mutex_
  bool stopping_ = false;                 // under mutex_
  std::exception_ptr failure_;            // set before failed_
  std::atomic<bool> failed_ = false;
  // The last commit, on the side that writes (CoarseNow).
  std::optional<std::chrono::nanoseconds> committed_;
  std::thread thread_;
};

}  // namespace ledgerly
