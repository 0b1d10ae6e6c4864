#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "reports/ReportData.h"
#include "rules/Catalogue.h"

// What the formats read by CI systems (junit, sarif, github) share: where a
// finding lies in the submission, a stable identity for it, and escaping.
namespace ledgerly {

// The field of a finding's catalogue entry and its positions; nothing for a
// finding on the file or an entry without a code.
struct FieldSpan {
  int field = 0;
  int first = 0;
  int last = 0;
};
std::optional<FieldSpan> FieldSpanOf(std::string_view code);

// Where a finding lies in its file: with line breaks a record is a line and
// the columns are the field's positions; without, the record's bytes follow
// one another on line 1.
struct FilePlace {
  int64_t line = 1;
  int64_t first_column = 1;
  int64_t last_column = 512;  // inclusive
};
FilePlace PlaceOf(const ErrorRow& row, bool line_breaks);

// True unless the file's first record is followed by no line break (a file
// that cannot be read now counts as one with line breaks, the usual kind).
bool HasLineBreaks(const std::string& path);

// The same for every run that finds the same check on the same record,
// wherever that record moved: the code, the record type, its SSN or EIN as
// the report shows it and the field's entry, hashed (FNV-1a, 64 bits, hex).
std::string Fingerprint(const ErrorRow& row);

// "Record N (RW, SSN: …): the error text [Reference: entry]"
std::string FindingMessage(const ErrorRow& row);

// Text fit for XML character data and attribute values: markup characters
// escaped, characters XML does not allow replaced by '?'.
std::string XmlEscaped(std::string_view text);

// A file path as a URI reference (file:// for an absolute path).
std::string FileUri(std::string_view path);

}  // namespace ledgerly
