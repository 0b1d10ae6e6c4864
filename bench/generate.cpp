// Writes a benchmark submission: RA, RE, N RW records, RT, RF; with --fault-every K
// every K-th RW record carries a non-numeric Social Security Wages amount.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/Submission.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ledgerly-bench-gen OUT RW_COUNT [--fault-every K]\n");
    return 2;
  }
  const long long count = std::atoll(argv[2]);
  long long fault_every = 0;
  if (argc >= 5 && std::strcmp(argv[3], "--fault-every") == 0) fault_every = std::atoll(argv[4]);
  if (!ledgerly::test::WriteLargeSubmission(argv[1], count, fault_every)) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
