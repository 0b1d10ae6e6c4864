#include "reports/LayoutListing.h"

#include <iomanip>
#include <nlohmann/json.hpp>

#include "layout/RecordTypes.h"

namespace ledgerly {
namespace {

using Json = nlohmann::ordered_json;

std::string_view CheckName(FieldCheck check) {
  switch (check) {
    case FieldCheck::ByRule:
      return "rule";
    case FieldCheck::Characters:
      return "characters";
    case FieldCheck::Money:
      return "money";
    case FieldCheck::UnrestrictedMoney:
      return "money-any-jurisdiction";
    case FieldCheck::Count:
      return "count";
    case FieldCheck::SickPay:
      return "sick-pay";
  }
  return "rule";
}

Json TypeJson(const RecordType& type) {
  Json fields = Json::array();
  for (std::size_t n = 0; n < type.layout.size(); ++n) {
    const FieldLayoutRow& row = type.layout[n];
    fields.push_back({{"field", n},
                      {"name", row.label},
                      {"reference", row.ReferenceName()},
                      {"start", row.first},
                      {"end", row.last},
                      {"width", row.Width()},
                      {"check", CheckName(row.check)}});
  }
  return {{"record", type.id}, {"fields", std::move(fields)}};
}

void WriteTypeText(const RecordType& type, std::ostream& out) {
  if (type.layout.empty()) {
    out << type.id << ": no fields of its own are checked\n";
    return;
  }
  out << type.id << "\nField  Positions  Width  Check                   Name\n";
  for (std::size_t n = 0; n < type.layout.size(); ++n) {
    const FieldLayoutRow& row = type.layout[n];
    out << std::setw(5) << n << "  " << std::setw(5) << row.first << '-' << std::left
        << std::setw(3) << row.last << std::right << std::setw(7) << row.Width() << "  "
        << std::left << std::setw(24) << CheckName(row.check) << std::right << row.label << '\n';
  }
}

}  // namespace

bool WriteLayoutListing(std::string_view id, ListingFormat format, std::ostream& out) {
  std::vector<const RecordType*> types;
  for (const RecordType& type : kRecordTypes) {
    if (id.empty() || type.id == id) types.push_back(&type);
  }
  if (types.empty()) return false;
  if (format == ListingFormat::Json) {
    Json listing = Json::array();
    for (const RecordType* type : types) listing.push_back(TypeJson(*type));
    out << listing.dump(2) << '\n';
    return true;
  }
  for (const RecordType* type : types) {
    if (type != types.front()) out << '\n';
    WriteTypeText(*type, out);
  }
  return true;
}

}  // namespace ledgerly
