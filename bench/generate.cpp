// Writes a benchmark submission: RA, RE, N RW records, RT, RF; with --fault-every K
// every K-th RW record carries a non-numeric Social Security Wages amount.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/Submission.h"
#include "support/ValidRecords.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ledgerly-bench-gen OUT RW_COUNT [--fault-every K]\n");
    return 2;
  }
  const char* out_path = argv[1];
  const long long count = std::atoll(argv[2]);
  long long fault_every = 0;
  if (argc >= 5 && std::strcmp(argv[3], "--fault-every") == 0) fault_every = std::atoll(argv[4]);

  std::FILE* out = std::fopen(out_path, "wb");
  if (!out) {
    std::perror(out_path);
    return 1;
  }
  auto write = [&](const std::string& record) {
    std::fwrite(record.data(), 1, record.size(), out);
    std::fputc('\n', out);
  };
  using namespace ledgerly::test;
  write(ValidRecord("RA"));
  write(ValidRecord("RE"));
  const std::string rw = ValidRecord("RW");
  std::string faulty = rw;
  faulty.replace(209, 11, "12345ABCDEF");
  for (long long i = 1; i <= count; ++i) {
    write(fault_every > 0 && i % fault_every == 0 ? faulty : rw);
  }
  write(MatchingRT(rw, count));
  write(ValidRF(count));
  return std::fclose(out) == 0 ? 0 : 1;
}
