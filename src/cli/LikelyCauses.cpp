#include "cli/LikelyCauses.h"

namespace ledgerly {

void PrintLikelyCauses(const RunResult& result, std::ostream& err) {
  for (const Diagnosis& d : result.diagnoses) err << "Likely cause: " << d.explanation << '\n';
}

}  // namespace ledgerly
