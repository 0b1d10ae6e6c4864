#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ledgerly {

// A failure of the result database, with SQLite's code and message.
class StoreError : public std::runtime_error {
 public:
  StoreError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// A run that was killed leaves a journal that only a writer can play back; a
// read-only connection would refuse the file ("attempt to write a readonly
// database") until then. A short read-write visit restores it first. False
// when it could not (no write access).
bool RecoverInterruptedWrite(const std::filesystem::path& path);

// Owns one SQLite connection.
class Database {
 public:
  enum class Mode { ReadOnly, ReadWriteCreate };
  Database(const std::filesystem::path& path, Mode mode);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void Exec(const std::string& sql);
  sqlite3* handle() const { return db_; }
  [[noreturn]] void Fail() const;

 private:
  sqlite3* db_ = nullptr;
};

// One prepared statement, reset after each use.
class Statement {
 public:
  Statement(const Database& db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, int64_t value);
  Statement& Bind(int index, double value);
  Statement& Bind(int index, std::string_view text);
  // Binds without a copy: the text must stay unchanged until the statement has run.
  Statement& BindView(int index, std::string_view text);
  Statement& BindNull(int index);

  // Steps once: true while a row is available.
  bool Step();
  // Steps to completion and resets.
  void Run();
  void Reset();

  int64_t Int(int column) const;
  double Real(int column) const;
  std::string Text(int column) const;
  bool IsNull(int column) const;
  int ColumnCount() const;

 private:
  const Database& db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace ledgerly
