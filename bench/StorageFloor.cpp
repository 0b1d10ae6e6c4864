// The storage floor of a Test run: reads a submission and stores its records
// in RECORDS as a run would, with the run's page size and sync setting, in one
// transaction with one prepared INSERT, and checks nothing. make bench compares
// ledgerly-cli with it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "engine/ResultStore.h"
#include "engine/Sqlite.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

int StoreRecords(const char* input, const std::filesystem::path& output) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(input, "rb"));
  if (!file) {
    std::perror(input);
    return 1;
  }
  std::filesystem::remove(output);
  ledgerly::Database db(output, ledgerly::Database::Mode::ReadWriteCreate);
  db.Exec("PRAGMA page_size = 16384");
  db.Exec("PRAGMA synchronous = NORMAL");
  db.Exec(ledgerly::SchemaSql());
  db.Exec("BEGIN");
  ledgerly::Statement insert(db,
                             "INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, "
                             "RecReference) VALUES (?, ?, ?, ?, ?, ?)");
  char* line = nullptr;
  std::size_t capacity = 0;
  int64_t rec_num = 0;
  for (ssize_t got; (got = getline(&line, &capacity, file.get())) > 0;) {
    std::string_view record(line, static_cast<std::size_t>(got));
    while (!record.empty() && (record.back() == '\n' || record.back() == '\r')) {
      record.remove_suffix(1);
    }
    if (record.empty()) continue;  // a blank line, as a run skips it
    insert.Bind(1, ++rec_num)
        .BindView(2, record.substr(0, 2))
        .Bind(3, int64_t{1})
        .Bind(4, int64_t{0})
        .BindView(5, record)
        .BindView(6, record.substr(std::min<std::size_t>(record.size(), 2), 9))
        .Run();
  }
  std::free(line);
  if (std::ferror(file.get())) {
    std::perror(input);
    return 1;
  }
  db.Exec("COMMIT");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ledgerly-bench-floor SUBMISSION DATABASE\n");
    return 2;
  }
  try {
    return StoreRecords(argv[1], argv[2]);
  } catch (const ledgerly::StoreError& e) {
    std::fprintf(stderr, "%s: %s\n", argv[2], e.what());
    return 1;
  }
}
