#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace ledgerly {

struct RedactOptions {
  std::string input;
  std::string output;
  std::optional<uint64_t> seed;  // none: a random one, printed
};

// ledgerly-cli redact IN -o OUT [--seed S]: writes a redacted copy of a
// submission (Redactor), then tests both and proves the copy draws the same
// check codes on the same records.
CLI::App* AddRedactCommand(CLI::App& app, RedactOptions& options);

// 0 when the copy draws the same findings; 1 when not (the differences are
// named); 3 when a file could not be read or written.
int RunRedact(const RedactOptions& options, std::ostream& out, std::ostream& err);

}  // namespace ledgerly
