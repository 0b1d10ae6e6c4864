#include "reports/CheckListing.h"

#include <nlohmann/json.hpp>

#include "layout/RecordTypes.h"
#include "rules/Catalogue.h"
#include "rules/Causes.h"

namespace ledgerly {
namespace {

using Json = nlohmann::ordered_json;

// The layout row of the entry's field, or nullptr for a finding on the file.
const FieldLayoutRow* FieldOf(const Check& check) {
  const auto layout = LayoutFor(check.record_type);
  if (check.field <= 0 || check.field >= static_cast<int>(layout.size())) return nullptr;
  return &layout[static_cast<std::size_t>(check.field)];
}

Json CheckJson(const Check& check) {
  const FieldLayoutRow* row = FieldOf(check);
  Json entry{{"code", check.code},
             {"record", check.record_type.empty() ? Json() : Json(check.record_type)},
             {"field", row ? Json(check.field) : Json()},
             {"name", row ? Json(row->ReferenceName()) : Json()},
             {"start", row ? Json(row->first) : Json()},
             {"end", row ? Json(row->last) : Json()},
             {"severity", SeverityName(check.severity)},
             {"text", check.text}};
  return entry;
}

// "RW field 18 Social Security Wages [210-220]", or "the file".
std::string Place(const Check& check) {
  const FieldLayoutRow* row = FieldOf(check);
  if (row == nullptr) return "the file";
  return check.record_type + " field " + std::to_string(check.field) + " " + row->label + " [" +
         std::to_string(row->first) + "-" + std::to_string(row->last) + "]";
}

// A likely cause of byte-level damage: no field, no Error entry of its own.
Json CauseJson(const Cause& cause) {
  return {{"code", cause.code},      {"record", nullptr},  {"field", nullptr},
          {"name", nullptr},         {"start", nullptr},   {"end", nullptr},
          {"severity", "diagnosis"}, {"text", cause.title}};
}

const Cause* FindCause(std::string_view code) {
  for (const Cause* cause : kCauses) {
    if (cause->code == code) return cause;
  }
  return nullptr;
}

}  // namespace

void WriteCheckListing(ListingFormat format, std::ostream& out) {
  if (format == ListingFormat::Json) {
    Json listing = Json::array();
    for (const Check& check : AllChecks()) listing.push_back(CheckJson(check));
    for (const Cause* cause : kCauses) listing.push_back(CauseJson(*cause));
    out << listing.dump(2) << '\n';
    return;
  }
  out << "Code, severity and place of every check; its message below it ({} marks a value "
         "filled in when it is found).\n";
  for (const Check& check : AllChecks()) {
    out << '\n'
        << check.code << "  " << SeverityName(check.severity) << "  " << Place(check) << "\n  "
        << check.text << '\n';
  }
  out << "\nLikely causes of byte-level damage a run may name beside its errors:\n";
  for (const Cause* cause : kCauses)
    out << '\n' << cause->code << "  diagnosis\n  " << cause->title << '\n';
}

bool WriteCheckExplanation(std::string_view code, ListingFormat format, std::ostream& out) {
  const Check* check = FindCheck(code);
  if (check == nullptr) {
    const Cause* cause = FindCause(code);
    if (cause == nullptr) return false;
    if (format == ListingFormat::Json) {
      out << CauseJson(*cause).dump(2) << '\n';
    } else {
      out << cause->code
          << "\nA likely cause of byte-level damage, named beside the errors it "
             "explains: "
          << cause->title << '\n';
    }
    return true;
  }
  if (format == ListingFormat::Json) {
    out << CheckJson(*check).dump(2) << '\n';
    return true;
  }
  out << check->code << '\n' << "Severity: " << SeverityName(check->severity) << '\n';
  if (const FieldLayoutRow* row = FieldOf(*check)) {
    out << "Field: " << check->record_type << " field " << check->field << ", " << row->label
        << ", positions " << row->first << "-" << row->last << " (" << row->Width()
        << (row->Width() == 1 ? " position)" : " positions)") << '\n';
  } else {
    out << "Field: none; the finding is on the file or the order of its records\n";
  }
  out << "Message: " << check->text << '\n';
  return true;
}

}  // namespace ledgerly
