#include "reports/Redaction.h"

#include <array>
#include <cctype>
#include <istream>
#include <ostream>

#include "layout/RecordLayouts.h"
#include "layout/RecordTypes.h"

namespace ledgerly {
namespace {

// Labels of the fields that say who someone is or how to reach them.
constexpr std::array<std::string_view, 12> kPersonalLabels = {"SSN",   "EIN", "Name",   "Address",
                                                              "City",  "Zip", "Postal", "Province",
                                                              "Phone", "Fax", "E-Mail", "User ID"};

bool IsPersonal(std::string_view label) {
  for (const std::string_view part : kPersonalLabels) {
    if (label.find(part) != std::string_view::npos) return true;
  }
  return false;
}

bool RefusedSsnStart(std::string_view ssn) {
  return ssn.starts_with('9') || ssn.starts_with("666");
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

char Redactor::FakeCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (std::isdigit(u) != 0) return static_cast<char>('0' + random_() % 10);
  if (std::isupper(u) != 0) return static_cast<char>('A' + random_() % 26);
  if (std::islower(u) != 0) return static_cast<char>('a' + random_() % 26);
  return c;  // spaces, punctuation and other bytes keep what they say of the field
}

std::string Redactor::Fake(std::string_view value, Kind kind) {
  if (value.find_first_not_of(' ') == std::string_view::npos) return std::string(value);
  const std::string key = std::to_string(static_cast<int>(kind)) + std::string(value);
  if (const auto it = fakes_.find(key); it != fakes_.end()) return it->second;
  // What the rules read of the start is kept: an EIN's prefix, an SSN's refused start.
  std::size_t kept = 0;
  if (kind == Kind::Ein) kept = 2;
  if (kind == Kind::Ssn && RefusedSsnStart(value)) kept = value.starts_with('9') ? 1 : 3;
  std::string fake;
  // A draw that happens to give the original (or a refused SSN start) is drawn again.
  for (int draw = 0; draw < 32; ++draw) {
    fake.assign(value.substr(0, std::min(kept, value.size())));
    for (std::size_t i = fake.size(); i < value.size(); ++i) fake += FakeCharacter(value[i]);
    if (fake != value && !(kind == Kind::Ssn && kept == 0 && RefusedSsnStart(fake))) break;
  }
  fakes_.emplace(key, fake);
  return fake;
}

void Redactor::Redact(std::string& record) {
  if (record.size() < 2) return;
  const RecordType* type = FindRecordType(Upper(record.substr(0, 2)));
  if (type == nullptr) return;
  if (type->layout.empty()) {
    // RS and RV: only their place in the file is checked.
    for (std::size_t i = 2; i < record.size(); ++i) record[i] = FakeCharacter(record[i]);
    return;
  }
  for (const FieldLayoutRow& field : type->layout) {
    if (!IsPersonal(field.label)) continue;
    const auto first = static_cast<std::size_t>(field.first - 1);
    if (first >= record.size()) continue;
    const std::size_t width = std::min(field.Width(), record.size() - first);
    const std::string_view label = field.label;
    const Kind kind = label.find("SSN") != std::string_view::npos   ? Kind::Ssn
                      : label.find("EIN") != std::string_view::npos ? Kind::Ein
                                                                    : Kind::Other;
    const std::string fake = Fake(std::string_view(record).substr(first, width), kind);
    if (fake != std::string_view(record).substr(first, width)) ++fields_replaced_;
    record.replace(first, width, fake);
  }
}

int64_t Redactor::Copy(std::istream& in, std::ostream& out) {
  std::string head(kRecordLength + 2, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  const bool line_breaks = head.find_first_of("\r\n") != std::string::npos;
  in.clear();
  in.seekg(0);
  int64_t records = 0;
  std::string record;
  if (line_breaks) {
    while (std::getline(in, record)) {
      const bool cr = !record.empty() && record.back() == '\r';
      if (cr) record.pop_back();
      Redact(record);
      ++records;
      out << record << (cr ? "\r" : "") << (in.eof() ? "" : "\n");
    }
    return records;
  }
  record.resize(kRecordLength);
  while (in.read(record.data(), static_cast<std::streamsize>(kRecordLength)) || in.gcount() > 0) {
    record.resize(static_cast<std::size_t>(in.gcount()));
    Redact(record);
    ++records;
    out << record;
    record.resize(kRecordLength);
  }
  return records;
}

}  // namespace ledgerly
