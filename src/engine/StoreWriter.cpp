#include "engine/StoreWriter.h"

#include <exception>
#include <system_error>

#include "platform/Clock.h"
#include "platform/Signals.h"

namespace ledgerly {
namespace {

constexpr auto kCommitInterval = std::chrono::milliseconds(500);
// And after this much record text, so a full disk loses at most one such
// batch. Each commit syncs the file: smaller batches cost a run more than the
// records it could lose are worth (4 MiB batches made a million-record run a
// fifth slower).
constexpr std::size_t kCommitBytes = 32 << 20;
// The thread commits on its own when the run's commits stop coming: a write
// that waits for another program's lock would otherwise hold back the queued
// commit, and with it the failure, for thousands of records.
constexpr auto kCommitOverdue = 2 * kCommitInterval;
// A few milliseconds of records: enough to ride out a pause of either side,
// little enough memory. The run hands them over a batch at a time, so the two
// sides seldom wait for the lock or wake each other.
constexpr uint64_t kQueueLength = 4096;
constexpr uint64_t kBatch = 256;

// Read for every record and every write.
std::chrono::nanoseconds CoarseNow() {
  return platform::CoarseSteadyNow();
}

}  // namespace

StoreWriter::StoreWriter(std::unique_ptr<ResultStore> store, bool own_thread)
    : StoreWriter(*store, own_thread) {
  owned_store_ = std::move(store);
}

StoreWriter::StoreWriter(ResultStore& store, bool own_thread)
    : store_(&store), ring_(own_thread ? kQueueLength : 1) {
  if (!own_thread) return;
  // A stop request reaches the run's own thread as before.
  thread_ = platform::StartThreadWithoutStopRequests([this] { WriteQueued(); });
}

StoreWriter::~StoreWriter() {
  StopThread();
}

void StoreWriter::AddMisc(std::string_view path, std::string_view rpt_date) {
  Queue([path = std::string(path), rpt_date = std::string(rpt_date)](ResultStore& store) {
    store.AddMisc(path, rpt_date);
  });
}

void StoreWriter::SetPinOK(bool pin_ok, bool first_row) {
  Queue([=](ResultStore& store) { store.SetPinOK(pin_ok, first_row); });
}

void StoreWriter::InsertRecord(const StoredRecord& record) {
  Write& write = Next();
  write.kind = Write::Kind::Record;
  write.record = record;  // reuses the slot's buffers
  uncommitted_bytes_ += record.Record.size();
  Queued();
}

void StoreWriter::InsertError(int64_t rec_num, bool critical, std::string_view code,
                              std::string_view reference, std::string_view user_entry,
                              std::string_view error) {
  Write& write = Next();
  write.kind = Write::Kind::Error;
  write.rec_num = rec_num;
  write.critical = critical;
  write.code.assign(code);
  write.reference.assign(reference);
  write.user_entry.assign(user_entry);
  write.error.assign(error);
  Queued();
}

void StoreWriter::AddToErrorCount(int64_t rec_num, int64_t delta) {
  Queue([=](ResultStore& store) { store.AddToErrorCount(rec_num, delta); });
}

void StoreWriter::InsertAccumulatorRow(Totals which, const AccumulatorRow& row) {
  Queue([which, row](ResultStore& store) { store.InsertAccumulatorRow(which, row); });
}

void StoreWriter::UpdateAccumulatorRow(Totals which, const AccumulatorRow& row) {
  Queue([which, row](ResultStore& store) { store.UpdateAccumulatorRow(which, row); });
}

void StoreWriter::InsertDiagnosis(Diagnosis diagnosis) {
  Queue(
      [diagnosis = std::move(diagnosis)](ResultStore& store) { store.InsertDiagnosis(diagnosis); });
}

bool StoreWriter::CommitDue() const {
  return !first_commit_done_ || uncommitted_bytes_ >= kCommitBytes ||
         CoarseNow() - last_commit_ >= kCommitInterval;
}

void StoreWriter::Commit() {
  first_commit_done_ = true;
  uncommitted_bytes_ = 0;
  last_commit_ = CoarseNow();
  Queue([this](ResultStore& store) {
    store.Commit();
    committed_ = CoarseNow();
  });
  if (thread_.joinable()) Publish();
}

void StoreWriter::Sync() {
  if (!thread_.joinable()) return;
  Publish();
  std::unique_lock lock(mutex_);
  room_.wait(lock, [&] { return written_ == published_ || failed_; });
  if (failed_) ThrowFailure();
}

void StoreWriter::Close() {
  StopThread();
  if (failed_) ThrowFailure();
  store_->Close();
}

StoredTail StoreWriter::RollBack() {
  StopThread();
  return store_->RollBack();
}

void StoreWriter::CloseUnfinished() {
  StopThread();
  store_->CloseUnfinished();
}

void StoreWriter::CloseWithCritical(int64_t rec_num, std::string_view code,
                                    std::string_view reference, std::string_view user_entry,
                                    std::string_view error) {
  StopThread();
  store_->CloseWithCritical(rec_num, code, reference, user_entry, error);
}

// The slot for the next write: the only one without a thread, else the next
// one of the ring, once the thread has written what it held.
StoreWriter::Write& StoreWriter::Next() {
  if (failed_) ThrowFailure();
  if (!thread_.joinable()) return ring_[0];
  if (queued_ == free_until_) {
    Publish();
    std::unique_lock lock(mutex_);
    room_.wait(lock, [&] { return queued_ - written_ < kQueueLength || failed_; });
    if (failed_) ThrowFailure();
    free_until_ = written_ + kQueueLength;
  }
  return ring_[queued_ % kQueueLength];
}

void StoreWriter::Queued() {
  if (!thread_.joinable()) {
    Apply(ring_[0]);
    return;
  }
  ++queued_;
  if (queued_ % kBatch == 0) Publish();
}

void StoreWriter::Queue(std::function<void(ResultStore&)> write) {
  Write& slot = Next();
  slot.kind = Write::Kind::Other;
  slot.other = std::move(write);
  Queued();
}

void StoreWriter::Publish() {
  {
    const std::lock_guard lock(mutex_);
    if (published_ == queued_) return;
    published_ = queued_;
    free_until_ = written_ + kQueueLength;
  }
  work_.notify_one();
}

void StoreWriter::Apply(Write& write) {
  switch (write.kind) {
    case Write::Kind::Record:
      store_->InsertRecord(write.record);
      break;
    case Write::Kind::Error:
      store_->InsertError(write.rec_num, write.critical, write.code, write.reference,
                          write.user_entry, write.error);
      break;
    case Write::Kind::Other:
      write.other(*store_);
      write.other = nullptr;
      break;
  }
}

// The thread: writes each published batch, in order, until told to stop or a
// write fails; the failure is kept for the run to throw.
void StoreWriter::WriteQueued() {
  std::unique_lock lock(mutex_);
  for (;;) {
    work_.wait(lock, [&] { return written_ < published_ || stopping_; });
    if (written_ == published_) return;
    const uint64_t end = published_;
    lock.unlock();
    try {
      for (uint64_t i = written_; i < end; ++i) {
        Apply(ring_[i % kQueueLength]);
        CommitIfOverdue();
      }
    } catch (...) {
      lock.lock();
      failure_ = std::current_exception();
      failed_ = true;
      room_.notify_all();
      return;
    }
    lock.lock();
    written_ = end;
    room_.notify_all();
  }
}

// Only once the run's first commit put the new file in place.
void StoreWriter::CommitIfOverdue() {
  if (!committed_) return;
  const auto now = CoarseNow();
  if (now - *committed_ < kCommitOverdue) return;
  store_->Commit();
  committed_ = now;
}

void StoreWriter::ThrowFailure() const {
  std::rethrow_exception(failure_);
}

void StoreWriter::StopThread() {
  if (!thread_.joinable()) return;
  Publish();
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  work_.notify_one();
  thread_.join();
}

}  // namespace ledgerly
