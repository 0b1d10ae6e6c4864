#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

// The subcommands that print what the program knows and test nothing:
//   layout [TYPE] [--format text|json]   the record layouts
//   rules [--format text|json]           the catalogue of checks
//   explain CODE [--format text|json]    one entry of the catalogue
namespace ledgerly {

class ListingCommands {
 public:
  explicit ListingCommands(CLI::App& app);

  // After parsing: the exit status when one of them was chosen (and has run).
  std::optional<int> Run(std::ostream& out, std::ostream& err) const;

 private:
  CLI::App* layout_ = nullptr;
  CLI::App* rules_ = nullptr;
  CLI::App* explain_ = nullptr;
  std::string layout_type_;
  std::string code_;
  std::string format_ = "text";
};

}  // namespace ledgerly
