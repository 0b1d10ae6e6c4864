#include "reports/Masking.h"

#include <cctype>
#include <charconv>

#include "layout/RecordTypes.h"

namespace ledgerly {
namespace {

enum class Sensitive { None, Ssn, Ein, Name };

// The kind of a field, told from its label in the layout.
Sensitive KindOfLabel(std::string_view label) {
  if (label.find("SSN") != std::string_view::npos) return Sensitive::Ssn;
  if (label.find("EIN") != std::string_view::npos) return Sensitive::Ein;
  if (label.find("Name") != std::string_view::npos) return Sensitive::Name;
  return Sensitive::None;
}

// The field a reference names by its positions ("Employer Name [Position 40 - 96]").
Sensitive KindOfReference(std::string_view id, std::string_view reference) {
  const RecordType* type = FindRecordType(id);
  constexpr std::string_view kPosition = "[Position ";
  const std::size_t at = reference.find(kPosition);
  if (type == nullptr || at == std::string_view::npos) return Sensitive::None;
  const char* p = reference.data() + at + kPosition.size();
  const char* end = reference.data() + reference.size();
  int first = 0;
  int last = 0;
  p = std::from_chars(p, end, first).ptr;
  last = first;
  if (std::string_view(p, static_cast<std::size_t>(end - p)).starts_with(" - ")) {
    std::from_chars(p + 3, end, last);
  }
  for (const FieldLayoutRow& field : type->layout) {
    if (field.first == first && field.last == last) return KindOfLabel(field.label);
  }
  return Sensitive::None;
}

bool Wanted(Sensitive kind, const ReportMask& mask) {
  return (kind == Sensitive::Ssn && mask.ssn) || (kind == Sensitive::Ein && mask.ein) ||
         (kind == Sensitive::Name && mask.name);
}

// A user entry is the field's text in square brackets; what is inside is masked.
std::string MaskEntry(std::string_view entry, Sensitive kind) {
  const bool bracketed = entry.size() >= 2 && entry.front() == '[' && entry.back() == ']';
  const std::string_view inside = bracketed ? entry.substr(1, entry.size() - 2) : entry;
  const std::string masked =
      kind == Sensitive::Name ? Initials(inside) : StarredKeepingLastFour(inside);
  return bracketed ? "[" + masked + "]" : masked;
}

}  // namespace

std::optional<ReportMask> ParseReportMask(std::string_view list) {
  if (list == "all") return ReportMask{true, true, true};
  ReportMask mask;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view item = list.substr(0, comma);
    if (item == "ssn") {
      mask.ssn = true;
    } else if (item == "ein") {
      mask.ein = true;
    } else if (item == "name") {
      mask.name = true;
    } else {
      return std::nullopt;
    }
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
  }
  return mask;
}

std::string StarredKeepingLastFour(std::string_view value) {
  std::string starred(value);
  const std::size_t kept = std::min<std::size_t>(4, value.size() / 2);
  for (std::size_t i = 0; i + kept < starred.size(); ++i) {
    if (starred[i] != ' ') starred[i] = '*';
  }
  return starred;
}

std::string MaskedSsn(std::string_view ssn) {
  if (ssn.size() != 9) return StarredKeepingLastFour(ssn);
  return "***-**-" + std::string(ssn.substr(5));
}

std::string MaskedEin(std::string_view ein) {
  if (ein.size() != 9) return StarredKeepingLastFour(ein);
  return "**-***" + std::string(ein.substr(5));
}

std::string Initials(std::string_view name) {
  // Each word keeps its place: its first letter, a point, then spaces.
  std::string initials(name.size(), ' ');
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == ' ' || (i > 0 && name[i - 1] != ' ')) continue;
    initials[i] = name[i];
    if (i + 1 < name.size() && name[i + 1] != ' ') initials[i + 1] = '.';
  }
  return initials;
}

std::string MaskText(std::string_view text, const ReportMask& mask) {
  // The totals rules name the RW or RO record with its SSN in their text.
  constexpr std::string_view kSsnMark = "SSN#: ";
  const std::size_t at = text.find(kSsnMark);
  if (!mask.ssn || at == std::string_view::npos) return std::string(text);
  const std::size_t start = at + kSsnMark.size();
  std::size_t end = start;
  while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end])) != 0) ++end;
  return std::string(text.substr(0, start)) + MaskedSsn(text.substr(start, end - start)) +
         MaskText(text.substr(end), mask);
}

void MaskRow(ErrorRow& row, const ReportMask& mask) {
  const RecordType* type = FindRecordType(row.id);
  const Identification identification = type ? type->identification : Identification::Ssn;
  if (identification == Identification::Ssn && mask.ssn) {
    row.rec_reference = MaskedSsn(row.rec_reference);
  } else if (identification == Identification::Ein && mask.ein) {
    row.rec_reference = MaskedEin(row.rec_reference);
  }
  const Sensitive kind = KindOfReference(row.id, row.reference);
  if (Wanted(kind, mask)) row.user_entry = MaskEntry(row.user_entry, kind);
  row.error = MaskText(row.error, mask);
}

void MaskSummary(ReportSummary& summary, const ReportMask& mask) {
  if (summary.critical) summary.critical->error = MaskText(summary.critical->error, mask);
}

void MaskSummaryRows(std::vector<ErrorSummaryRow>& rows, const ReportMask& mask) {
  for (ErrorSummaryRow& row : rows) row.error = MaskText(row.error, mask);
}

}  // namespace ledgerly
