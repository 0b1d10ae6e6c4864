#include "cli/RedactCommand.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <ostream>
#include <random>
#include <sstream>
#include <system_error>

#include "cli/CliApp.h"
#include "cli/CliHost.h"
#include "engine/ResultReader.h"
#include "engine/ResultStore.h"
#include "engine/TestRun.h"
#include "platform/ReplacementFile.h"
#include "reports/Redaction.h"

namespace ledgerly {
namespace {

using Findings = std::vector<std::pair<int64_t, std::string>>;

// Every finding of a file, found with no error limit, so that all are compared.
Findings FindingsOf(const std::string& file, ResultStore& store) {
  std::ostringstream messages;
  CliHost host({file}, messages, false, false);
  TestRun run(host, store, std::numeric_limits<int>::max(), false);
  run.ReadFile();
  Findings findings = ResultReader(store.database()).FindingCodes();
  std::sort(findings.begin(), findings.end());
  return findings;
}

void NameDifferences(const Findings& original, const Findings& copy, std::ostream& err) {
  Findings only_original, only_copy;
  std::set_difference(original.begin(), original.end(), copy.begin(), copy.end(),
                      std::back_inserter(only_original));
  std::set_difference(copy.begin(), copy.end(), original.begin(), original.end(),
                      std::back_inserter(only_copy));
  const auto name = [&err](const Findings& findings, const char* where) {
    for (std::size_t i = 0; i < findings.size() && i < 20; ++i) {
      err << "  record " << findings[i].first << ": " << findings[i].second << " only in the "
          << where << '\n';
    }
  };
  name(only_original, "original");
  name(only_copy, "copy");
}

}  // namespace

CLI::App* AddRedactCommand(CLI::App& app, RedactOptions& options) {
  auto* redact = app.add_subcommand(
      "redact",
      "Write a copy of a submission with fake SSNs, EINs, names, addresses, phone numbers and "
      "e-mail addresses, then test both and check they draw the same codes on the same records");
  redact->add_option("IN", options.input, "The submission file")->required();
  redact->add_option("-o,--output", options.output, "The redacted copy")
      ->required()
      ->type_name("OUT");
  redact->add_option("--seed", options.seed, "The same seed gives the same copy (default: random)")
      ->type_name("S");
  return redact;
}

int RunRedact(const RedactOptions& options, std::ostream& out, std::ostream& err) {
  std::error_code ec;
  if (std::filesystem::equivalent(options.input, options.output, ec)) {
    err << "The copy cannot replace the submission itself.\n";
    return kExitNotTested;
  }
  std::ifstream in(options.input, std::ios::binary);
  if (!in) {
    err << options.input << " cannot be read.\n";
    return kExitNotTested;
  }
  const uint64_t seed = options.seed ? *options.seed : std::random_device()();
  Redactor redactor(seed);
  int64_t records = 0;
  try {
    std::ostringstream copy;
    records = redactor.Copy(in, copy);
    platform::ReplacementFile file(options.output);
    file.Write(copy.str());
    file.Commit();
  } catch (const std::system_error& e) {
    err << "Cannot write " << options.output << ": " << e.what() << '\n';
    return kExitNotTested;
  }
  out << "Wrote " << options.output << ": " << records << " records, " << redactor.fields_replaced()
      << " fields replaced (seed " << seed << ").\n";

  const std::unique_ptr<ResultStore> store = ResultStore::CreateInMemory();
  const Findings original = FindingsOf(options.input, *store);
  const Findings copy = FindingsOf(options.output, *store);
  if (original == copy) {
    out << "Both draw the same " << original.size()
        << " findings (check code and record number).\n";
    return kExitClean;
  }
  err << "The copy does not draw the same findings as the original:\n";
  NameDifferences(original, copy, err);
  return kExitErrors;
}

}  // namespace ledgerly
