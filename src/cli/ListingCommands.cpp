#include "cli/ListingCommands.h"

#include "cli/CliApp.h"
#include "reports/CheckListing.h"
#include "reports/LayoutListing.h"

namespace ledgerly {

ListingCommands::ListingCommands(CLI::App& app)
    : layout_(app.add_subcommand("layout",
                                 "Print every field of each record type (or of TYPE) and exit")),
      rules_(app.add_subcommand("rules",
                                "Print every check's code, place, severity and message "
                                "and exit")),
      explain_(app.add_subcommand("explain", "Print one check (its code as reported) and exit")) {
  layout_->add_option("TYPE", layout_type_, "A record identifier, such as RW");
  explain_->add_option("CODE", code_, "A check's code, such as RW.18.numeric")->required();
  for (CLI::App* command : {layout_, rules_, explain_}) {
    command->add_option("--format", format_, "text or json (default: text)")
        ->check(CLI::IsMember({"text", "json"}));
  }
}

std::optional<int> ListingCommands::Run(std::ostream& out, std::ostream& err) const {
  const ListingFormat format = format_ == "json" ? ListingFormat::Json : ListingFormat::Text;
  if (*layout_) {
    if (WriteLayoutListing(layout_type_, format, out)) return kExitClean;
    err << layout_type_ << " is not a record identifier (RA, RE, RW, RO, RS, RT, RU, RV or RF)\n";
    return kExitNotTested;
  }
  if (*rules_) {
    WriteCheckListing(format, out);
    return kExitClean;
  }
  if (*explain_) {
    if (WriteCheckExplanation(code_, format, out)) return kExitClean;
    err << code_ << " is not the code of a check; ledgerly-cli rules lists them all\n";
    return kExitNotTested;
  }
  return std::nullopt;
}

}  // namespace ledgerly
