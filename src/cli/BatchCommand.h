#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/RunOptions.h"

namespace ledgerly {

struct BatchOptions {
  RunOptions run;
  std::vector<std::string> files;
  unsigned jobs = 0;    // 0: one per core
  std::string results;  // empty: "batch" in the data folder
  std::string summary;  // FORMAT[:PATH] of the batch's own report; empty: the table
};

// ledgerly-cli batch: every FILE is a submission of its own, tested into a
// result database of its own, several at once.
CLI::App* AddBatchCommand(CLI::App& app, BatchOptions& options);

// Returns the worst exit status of the files.
int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace ledgerly
