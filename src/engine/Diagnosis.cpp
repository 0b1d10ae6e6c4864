#include "engine/Diagnosis.h"

#include <array>

#include "engine/OddBytes.h"
#include "layout/RecordLayouts.h"
#include "layout/RecordTypes.h"
#include "rules/FileChecks.h"
#include "rules/RecordRules.h"

namespace ledgerly {
namespace {

// A record longer or shorter than this is not a shifted record but something else.
constexpr std::size_t kMaxShift = 8;
// The widest stretch that bytes too many or too few may be placed in and still
// be worth naming.
constexpr std::size_t kMaxSpan = 128;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBreak(char c) {
  return c == '\r' || c == '\n';
}

// As the run upper-cases what it reads, for the bytes it had not yet taken.
std::string UpperCased(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

class CountingSink final : public FindingSink {
 public:
  void AddFieldError(std::string_view, std::string_view, std::string_view, std::string_view,
                     int) override {
    ++count;
  }
  int count = 0;
};

// A copy of the run's context whose findings go elsewhere and whose sums are thrown away.
class RecheckContext final : public RuleContext {
 public:
  RecheckContext(const RuleContext& run, FindingSink& sink) : RuleContext(run) {
    SetSink(sink);
    stamps = {};
  }
};

// True when the record, put right, draws no finding at its place in the run.
bool LinesUp(int64_t rec_num, std::string_view record, const RuleContext& rules) {
  if (record.size() != kRecordLength) return false;
  const std::string_view id = record.substr(0, 2);
  if (!IsRecordIdentifier(id) || HeaderFinding(rec_num, record, id)) return false;
  CountingSink sink;
  RecheckContext context(rules, sink);
  CheckRecordFields(id, record, context);
  return sink.count == 0;
}

std::string Words(std::size_t n) {
  constexpr std::array<const char*, 9> kWords{"no",   "one", "two",   "three", "four",
                                              "five", "six", "seven", "eight"};
  return n < kWords.size() ? kWords[n] : std::to_string(n);
}

std::string Bytes(std::size_t n) {
  return Words(n) + (n == 1 ? " byte" : " bytes");
}

// The label of the field at a position (from 1) of the record put right.
std::string FieldAt(std::string_view record, std::size_t position) {
  for (const FieldLayoutRow& row : LayoutFor(record.substr(0, 2))) {
    if (static_cast<std::size_t>(row.first) <= position &&
        position <= static_cast<std::size_t>(row.last)) {
      return row.label;
    }
  }
  return "record";
}

std::string Lead(int64_t rec_num, std::size_t length) {
  std::string lead = "Record " + std::to_string(rec_num);
  if (length != kRecordLength) lead += " has " + std::to_string(length) + " bytes";
  return lead + ": ";
}

std::string ShiftPhrase(std::ptrdiff_t shift) {
  if (shift > 0) return ", which shifts every later field by " + Words(shift);
  if (shift < 0) return ", which shifts every later field back by " + Words(-shift);
  return "";
}

std::string Positions(std::size_t first, std::size_t last) {
  return first == last ? "position " + std::to_string(first)
                       : "positions " + std::to_string(first) + "\u2013" + std::to_string(last);
}

std::string More(std::size_t runs) {
  if (runs < 2) return "";
  return " (and " + std::to_string(runs - 1) + " more in the record)";
}

// The odd bytes of the line, or nothing when they are not all of one kind.
std::optional<std::vector<OddRun>> OddRuns(std::string_view line) {
  std::vector<OddRun> runs;
  for (std::size_t i = 0; i < line.size();) {
    if (!IsOddByte(line[i])) {
      ++i;
      continue;
    }
    runs.push_back(ReadOddRun(line, i));
    if (runs.back().kind != runs.front().kind) return std::nullopt;
    i += runs.back().length;
  }
  return runs;
}

// The line with each odd run put right: a character as its ASCII letter (a
// space where there is none), a control character removed from a long line,
// widened to the missing spaces in a short one, else a space.
std::string Repaired(std::string_view line, const std::vector<OddRun>& runs) {
  std::string out;
  std::size_t from = 0;
  for (const OddRun& run : runs) {
    out.append(line.substr(from, run.at - from));
    from = run.at + run.length;
    if (run.kind == OddKind::Utf8 || run.kind == OddKind::Windows1252) {
      const char ascii = AsciiFor(run.code_point);
      out += ascii ? UpperCased(std::string_view(&ascii, 1)) : " ";
    } else if (line.size() < kRecordLength && runs.size() == 1) {
      out.append(kRecordLength - line.size() + 1, ' ');
    } else if (line.size() <= kRecordLength) {
      out += ' ';
    }
  }
  out.append(line.substr(from));
  return out;
}

std::string OddRunText(const ReadRecord& read, std::string_view line,
                       const std::vector<OddRun>& runs, std::ptrdiff_t shift,
                       std::string_view repaired) {
  const OddRun& run = runs.front();
  const std::string lead = Lead(read.rec_num, line.size());
  const std::string field = FieldAt(repaired, run.at + 1);
  const std::string hex = HexBytes(line.substr(run.at, run.length));
  const std::string where = Positions(run.at + 1, run.at + run.length);
  const char ascii = AsciiFor(run.code_point);
  const std::string as_ascii = ascii == ' ' ? " (a space)"
                               : ascii != 0 ? " (" + std::string(1, ascii) + ")"
                                            : "";
  switch (run.kind) {
    case OddKind::Utf8:
      return lead + where + " hold the UTF-8 encoding of " + Utf8Of(run.code_point) + " (" + hex +
             ")" + More(runs.size()) + ShiftPhrase(shift) + ". Write the " + field + " in ASCII" +
             as_ascii + " or as the format allows.";
    case OddKind::Windows1252:
      return lead + where + " holds " + hex + ", the Windows-1252 (Latin-1) encoding of " +
             Utf8Of(run.code_point) + More(runs.size()) +
             ", where only ASCII is allowed. Write the " + field + " in ASCII" + as_ascii +
             " or as the format allows.";
    case OddKind::Tab:
      return lead + where + " holds a tab (09)" + More(runs.size()) + ShiftPhrase(shift) +
             ". Fill the " + field + " with spaces.";
    case OddKind::Nul:
      return lead + where + " holds a NUL byte (00)" + More(runs.size()) + ShiftPhrase(shift) +
             ". Fill the " + field + " with spaces (zeros where it is numeric).";
    case OddKind::Control:
      break;
  }
  return lead + where + " holds the control character " + hex + More(runs.size()) +
         ShiftPhrase(shift) + ". Remove it from the " + field + ".";
}

const Cause& CauseOf(OddKind kind) {
  switch (kind) {
    case OddKind::Utf8:
      return cause::kUtf8;
    case OddKind::Windows1252:
      return cause::kWindows1252;
    case OddKind::Tab:
      return cause::kTab;
    case OddKind::Nul:
      return cause::kNul;
    case OddKind::Control:
      break;
  }
  return cause::kControl;
}

Diagnosis Made(const Cause& cause, const ReadRecord& read, std::size_t at, std::string bytes,
               std::string explanation) {
  Diagnosis d;
  d.cause = &cause;
  d.rec_num = read.rec_num;
  d.offset = read.offset + at;
  d.position = static_cast<int>(at) + 1;
  d.bytes = std::move(bytes);
  d.explanation = std::move(explanation);
  return d;
}

std::optional<Diagnosis> FromOddRuns(const ReadRecord& read, std::string_view line,
                                     const std::vector<OddRun>& runs, const RuleContext& rules) {
  std::string repaired = Repaired(line, runs);
  const std::ptrdiff_t shift =
      static_cast<std::ptrdiff_t>(line.size()) - static_cast<std::ptrdiff_t>(repaired.size());
  // A program that counted characters but cut the record at 512 bytes.
  if (line.size() == kRecordLength && repaired.size() < kRecordLength) {
    repaired.resize(kRecordLength, ' ');
  }
  if (!LinesUp(read.rec_num, repaired, rules)) return std::nullopt;
  const OddRun& run = runs.front();
  return Made(CauseOf(run.kind), read, run.at, HexBytes(line.substr(run.at, run.length)),
              OddRunText(read, line, runs, shift, repaired));
}

std::optional<Diagnosis> FromByteOrderMark(const ReadRecord& read, std::string_view line,
                                           const RuleContext& rules) {
  std::string repaired(line.substr(kByteOrderMark.size()));
  if (repaired.size() < kRecordLength) repaired.resize(kRecordLength, ' ');
  if (!LinesUp(read.rec_num, repaired, rules)) return std::nullopt;
  return Made(cause::kByteOrderMark, read, 0, HexBytes(kByteOrderMark),
              "The file starts with a UTF-8 byte-order mark (EF BB BF), which shifts every field "
              "of record 1 by three. Save the file as plain ASCII, without a byte-order mark.");
}

// A short record whose rest follows a line break.
std::optional<Diagnosis> FromLineBreak(const ReadRecord& read, std::string_view line,
                                       const RuleContext& rules) {
  const std::string_view following = read.following;
  const std::size_t breaks = following.starts_with("\r\n") ? 2 : 1;
  std::size_t end = breaks;
  while (end < following.size() && end <= breaks + kRecordLength && !IsBreak(following[end])) ++end;
  const std::string_view rest = following.substr(breaks, end - breaks);
  if (line.size() + rest.size() != kRecordLength) return std::nullopt;
  const std::string repaired = std::string(line) + UpperCased(rest);
  if (!LinesUp(read.rec_num, repaired, rules)) return std::nullopt;
  const std::string_view name = breaks == 2 ? "CR LF" : following[0] == '\r' ? "CR" : "LF";
  const std::string hex = HexBytes(following.substr(0, breaks));
  return Made(cause::kLineBreak, read, line.size(), hex,
              Lead(read.rec_num, line.size()) + "a line break (" + std::string(name) + ", " + hex +
                  ") after position " + std::to_string(line.size()) + ", in the " +
                  FieldAt(repaired, line.size() + 1) + ", ends it early; its last " +
                  std::to_string(rest.size()) +
                  " bytes follow on the next line. Remove the line "
                  "break.");
}

// The fields from the one at first to the one at last, for the text.
std::string FieldSpan(std::string_view record, std::size_t first, std::size_t last) {
  const std::string from = FieldAt(record, first), to = FieldAt(record, last);
  return from == to ? "the " + from : "the fields from the " + from + " to the " + to;
}

// Fields are written left-justified and padded with spaces: one that holds
// something but starts with a space, or ends in a lone byte after its padding
// (the first of the next field), is likely shifted. Of the ways a record
// passes, the one with the fewest such fields puts the bytes back where they belong.
int MisplacedFields(std::string_view record) {
  int misplaced = 0;
  for (const FieldLayoutRow& row : LayoutFor(record.substr(0, 2))) {
    const std::string_view value = record.substr(row.first - 1, row.Width());
    if (value.size() < 2) continue;
    const bool leading_space =
        value.front() == ' ' && value.find_first_not_of(' ') != std::string_view::npos;
    const bool lone_last = value.back() != ' ' && value[value.size() - 2] == ' ';
    if (leading_space || lone_last) ++misplaced;
  }
  return misplaced;
}

// A record a few bytes too long or too short with nothing odd in it: where
// taking bytes out (or putting spaces or zeros in) makes it pass, if that is
// one stretch.
std::optional<Diagnosis> FromLength(const ReadRecord& read, std::string_view line,
                                    const RuleContext& rules) {
  const bool long_line = line.size() > kRecordLength;
  const std::size_t k = long_line ? line.size() - kRecordLength : kRecordLength - line.size();
  std::size_t first = 0, last = 0, found = 0;
  int fewest = 0;
  std::string candidate;
  for (std::size_t at = 0; at + (long_line ? k : 0) <= line.size(); ++at) {
    bool fits = false;
    for (const char fill : {' ', '0'}) {
      candidate.assign(line);
      if (long_line) {
        candidate.erase(at, k);
      } else {
        candidate.insert(at, k, fill);
      }
      fits = LinesUp(read.rec_num, candidate, rules);
      if (fits || long_line) break;
    }
    if (!fits) continue;
    const int misplaced = MisplacedFields(candidate);
    if (found > 0 && misplaced > fewest) continue;
    if (found == 0 || misplaced < fewest) {
      fewest = misplaced;
      first = at;
      found = 0;
    }
    last = at;
    ++found;
  }
  if (found == 0 || found != last - first + 1 || last - first >= kMaxSpan) return std::nullopt;
  const std::string lead = Lead(read.rec_num, line.size());
  if (!long_line) {
    candidate.assign(line);
    candidate.insert(first, k, ' ');
    return Made(cause::kMissingBytes, read, first, "",
                lead + Bytes(k) + " missing somewhere in " + Positions(first + 1, last + k) + " (" +
                    FieldSpan(candidate, first + 1, last + k) + ")" +
                    ShiftPhrase(-static_cast<std::ptrdiff_t>(k)) +
                    ". Write every field at its full width.");
  }
  candidate.assign(line);
  candidate.erase(first, k);
  // One byte written twice: the only pair of equal bytes other than spaces in the stretch.
  std::size_t pairs = 0, pair_at = 0;
  for (std::size_t at = first; at + 1 <= last + k && at + 1 < line.size(); ++at) {
    if (line[at] == line[at + 1] && line[at] != ' ') {
      ++pairs;
      pair_at = at;
    }
  }
  if (k == 1 && pairs == 1) {
    return Made(cause::kDoubledByte, read, pair_at, HexBytes(line.substr(pair_at, 2)),
                lead + Positions(pair_at + 1, pair_at + 2) + " hold " +
                    std::string(1, line[pair_at]) + " twice" + ShiftPhrase(1) +
                    ". Remove one from the " + FieldAt(candidate, pair_at + 1) + ".");
  }
  return Made(cause::kExtraBytes, read, first, "",
              lead + Bytes(k) + " too many somewhere in " + Positions(first + 1, last + k) + " (" +
                  FieldSpan(candidate, first + 1, last + 1) + ")" +
                  ShiftPhrase(static_cast<std::ptrdiff_t>(k)) +
                  ". Write every field at its full width.");
}

}  // namespace

std::optional<Diagnosis> Diagnose(const ReadRecord& read, const RuleContext& rules) {
  std::string line(read.record);
  const std::string_view following = read.following;
  bool spills = false;
  if (line.size() == kRecordLength && !following.empty() && !IsBreak(following[0])) {
    // The line goes on past 512 bytes: the rest was read as the next record.
    std::size_t end = 0;
    while (end < following.size() && end <= kMaxShift && !IsBreak(following[end])) ++end;
    if (end > kMaxShift) return std::nullopt;  // records back to back, or no record at all
    line += UpperCased(following.substr(0, end));
    spills = true;
  }
  const auto runs = OddRuns(line);
  if (!runs) return std::nullopt;
  std::optional<Diagnosis> found;
  if (read.offset == 0 && line.starts_with(kByteOrderMark)) {
    if (runs->size() == 1) found = FromByteOrderMark(read, line, rules);
  } else if (!runs->empty()) {
    found = FromOddRuns(read, line, *runs, rules);
  } else {
    if (line.size() < kRecordLength && !following.empty() && IsBreak(following[0])) {
      found = FromLineBreak(read, line, rules);
    }
    const bool near =
        line.size() + kMaxShift >= kRecordLength && line.size() <= kRecordLength + kMaxShift;
    if (!found && near && line.size() != kRecordLength) found = FromLength(read, line, rules);
  }
  if (found) found->spills_into_next = spills;
  return found;
}

}  // namespace ledgerly
