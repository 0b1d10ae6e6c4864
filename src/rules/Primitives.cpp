#include "rules/Primitives.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace ledgerly {
namespace {

bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether all eight characters in chunk are digits: each byte 0x30-0x39, so
// adding 6 to it leaves its high half 3.
bool DigitBytes(uint64_t chunk) {
  constexpr uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u, kThrees = 0x3030303030303030u;
  return (chunk & kHigh) == kThrees && ((chunk + 0x0606060606060606u) & kHigh) == kThrees;
}

bool AreEightDigits(const char* p) {
  uint64_t chunk;
  std::memcpy(&chunk, p, sizeof chunk);
  return DigitBytes(chunk);
}

// Eight digit characters at p to their value, several digits per operation
// (money fields are mostly digits, and reading them one by one is a long chain
// of multiplications). False when any of the eight is not a digit.
bool EightDigits(const char* p, uint64_t& value) {
  uint64_t chunk;
  std::memcpy(&chunk, p, sizeof chunk);
  if (!DigitBytes(chunk)) return false;
  // The first character is the lowest byte: pairs, then fours, then the eight.
  chunk = ((chunk & 0x0F000F000F000F00u) >> 8) + (chunk & 0x000F000F000F000Fu) * 10;
  chunk = ((chunk & 0x00FF000000FF0000u) >> 16) + (chunk & 0x000000FF000000FFu) * 100;
  chunk = ((chunk & 0x0000FFFF00000000u) >> 32) + (chunk & 0x000000000000FFFFu) * 10000;
  value = chunk;
  return true;
}

constexpr std::string_view kStateList =
    "  "
    ",MD,VA,DC,AL,AK,AZ,AR,CA,CO,CT,DE,FL,GA,HI,ID,IL,IN,IA,KS,KY,LA,ME,MA,MI,MN,MS,MO,MT,NE,NV,NH,"
    "NJ,NM,NY,"
    "NC,ND,OH,OK,OR,PA,RI,SC,SD,TN,TX,UT,VT,WA,WV,WI,WY,AS,GU,PR,VI,MP,AE,AA,AP";

constexpr std::string_view kCountryList =
    "AA,AC,AE,AF,AG,AJ,AL,AM,AN,AO,AR,AS,AT,AU,AV,AX,AY,BA,BB,BC,BD,BE,BF,BG,BH,BK,BN,BL,BM,BO,BP,"
    "BQ,BR,BS,BT,BU,BV,BX,BY,CA,CB,CD,CE,CF,CG,CH,CI,CJ,CK,CM,CN,CO,CV,CR,CS,CT,CU,CW,CY,DA,DJ,DO,"
    "DQ,"
    "DR,DX,EC,EG,EI,EK,EN,ER,ES,ET,EU,EZ,FG,FI,FJ,FK,FM,FO,FP,FQ,FR,FS,GA,GB,GG,GH,GI,GJ,GK,GL,GM,"
    "GO,"
    "GP,GR,GT,GV,GY,GZ,HA,HK,HM,HO,HQ,HR,HU,IC,ID,IM,IN,IO,IP,IR,IS,IT,IV,IZ,JA,JE,JM,JN,JO,JQ,JU,"
    "KE,"
    "KG,KN,KQ,KR,KS,KT,KU,KV,KZ,LA,LE,LG,LH,LI,LO,LQ,LS,LT,LU,LY,MA,MB,MC,MD,MF,MG,MH,MI,MJ,MK,ML,"
    "MN,"
    "MO,MP,MQ,MR,MT,MU,MV,MX,MY,MZ,NC,NE,NF,NG,NH,NI,NL,NM,NN,NO,NP,NR,NS,NU,NZ,OC,PA,PC,PE,PF,PG,"
    "PK,"
    "PL,PM,PO,PP,PS,PU,QA,RE,RI,RM,RN,RO,RP,RS,RW,SA,SB,SC,SE,SF,SG,SH,SI,SL,SM,SN,SO,SP,ST,SU,SV,"
    "SW,"
    "SX,SY,SZ,TB,TD,TE,TH,TI,TK,TL,TN,TO,TP,TS,TT,TU,TV,TW,TX,TZ,UC,UG,UK,UP,UV,UY,UZ,VC,VE,VI,VM,"
    "VT,"
    "WA,WE,WF,WI,WQ,WS,WZ,YM,ZA,ZI";

}  // namespace

// Without an early exit and in byte arithmetic, so the compiler checks 16
// characters at once.
bool AllPrintable(std::string_view value) {
  uint8_t unprintable = 0;
  for (char c : value) {
    const auto offset = static_cast<uint8_t>(static_cast<uint8_t>(c) - uint8_t{32});
    unprintable |= static_cast<uint8_t>(offset > uint8_t{126 - 32});
  }
  return unprintable == 0;
}

// The few characters before whole blocks of eight one by one, then the blocks:
// money fields are long runs of digits.
bool NumCheck(std::string_view value) {
  const std::size_t head = value.size() % 8;
  if (!std::all_of(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(head), IsDigit)) {
    return false;
  }
  for (std::size_t i = head; i < value.size(); i += 8) {
    if (!AreEightDigits(value.data() + i)) return false;
  }
  return true;
}

bool NameCheck(std::string_view value) {
  return std::all_of(value.begin(), value.end(), [](char c) {
    return IsUpper(c) || IsDigit(c) || c == ' ' || c == '-' || c == '.' || c == '\'';
  });
}

bool AlphaNumCheck(std::string_view value) {
  return std::all_of(value.begin(), value.end(), [](char c) { return IsUpper(c) || IsDigit(c); });
}

bool UserIDCheck(std::string_view value) {
  if (value.size() < 8) return false;
  return AlphaNumCheck(value.substr(0, 8));
}

// Both lists are searched as plain text, so a value straddling a comma passes.
bool StateCheck(std::string_view value) {
  return kStateList.find(value) != std::string_view::npos;
}

bool CountryCheck(std::string_view value) {
  return value == "  " || kCountryList.find(value) != std::string_view::npos;
}

bool CharCheck(std::string_view value, int start, std::string& position_list) {
  position_list.clear();
  if (AllPrintable(value)) return true;
  std::string::size_type last_separator = std::string::npos;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto code = static_cast<unsigned char>(value[i]);
    if (code >= 32 && code <= 126) continue;
    if (!position_list.empty()) {
      last_separator = position_list.size();
      position_list += ", ";
    }
    position_list += std::to_string(start + static_cast<int>(i));
  }
  if (position_list.empty()) return true;
  if (last_separator != std::string::npos) position_list.replace(last_separator, 2, " and ");
  return false;
}

std::string_view Field(std::string_view txtline, int first, int last) {
  const auto begin = static_cast<std::size_t>(first - 1);
  if (begin >= txtline.size()) return {};
  return txtline.substr(begin, static_cast<std::size_t>(last - first) + 1);
}

std::string UserEntry(std::string_view value) {
  std::string entry = "[";
  entry += value;
  entry += ']';
  return entry;
}

bool HasRefusedPrefix(std::string_view ein) {
  static constexpr std::array<std::string_view, 14> kRefused{
      "07", "08", "09", "17", "18", "19", "28", "29", "49", "69", "70", "78", "79", "89"};
  return std::find(kRefused.begin(), kRefused.end(), ein.substr(0, 2)) != kRefused.end();
}

std::string FieldReference(std::string_view name, int first, int last) {
  std::string reference(name);
  reference += " [Position " + std::to_string(first) + " - " + std::to_string(last) + "]";
  return reference;
}

bool IsBlank(std::string_view value) {
  return value.find_first_not_of(' ') == std::string::npos;
}

int64_t ToNumber(std::string_view digits) {
  // A character that is not a digit adds nothing.
  const auto add_digit = [](uint64_t number, char c) {
    return IsDigit(c) ? number * 10 + static_cast<uint64_t>(c - '0') : number;
  };
  const std::size_t head = digits.size() % 8;
  uint64_t number = 0;
  for (std::size_t i = 0; i < head; ++i) number = add_digit(number, digits[i]);
  for (std::size_t i = head; i < digits.size(); i += 8) {
    uint64_t eight = 0;
    if (EightDigits(digits.data() + i, eight)) {
      number = number * 100000000u + eight;
    } else {
      for (std::size_t j = i; j < i + 8; ++j) number = add_digit(number, digits[j]);
    }
  }
  return static_cast<int64_t>(number);
}

std::optional<int64_t> NumericValue(std::string_view value) {
  const std::size_t head = value.size() % 8;
  uint64_t number = 0;
  for (std::size_t i = 0; i < head; ++i) {
    if (!IsDigit(value[i])) return std::nullopt;
    number = number * 10 + static_cast<uint64_t>(value[i] - '0');
  }
  for (std::size_t i = head; i < value.size(); i += 8) {
    uint64_t eight = 0;
    if (!EightDigits(value.data() + i, eight)) return std::nullopt;
    number = number * 100000000u + eight;
  }
  return static_cast<int64_t>(number);
}

void TaxYearLimits(int tax_year, SocialSecurityLimits& limits) {
  // Per year: prior max, current max, Medicare wage base, household minimum; -1 = not assigned.
  struct Row {
    int year;
    int64_t prior, current, medicare, household;
  };
  static constexpr std::array<Row, 34> kTable{{
      {1978, -1, 17700, -1, -1},        {1979, 17700, 22900, -1, -1},
      {1980, 22900, 25900, -1, -1},     {1981, 25900, 29700, -1, -1},
      {1982, 29700, 32400, -1, -1},     {1983, 32400, 35700, 35700, -1},
      {1984, 35700, 37800, 37800, -1},  {1985, 37800, 39600, 39600, -1},
      {1986, 39600, 42000, 42000, -1},  {1987, 42000, 43800, 43800, -1},
      {1988, 43800, 45000, 45000, -1},  {1989, 45000, 48000, 48000, -1},
      {1990, 48000, 51300, 51300, -1},  {1991, 51300, 53400, 125000, -1},
      {1992, 53400, 55500, 130200, -1}, {1993, 55500, 57600, 135000, -1},
      {1994, 57600, 60600, -1, -1},     {1995, 60600, 61200, -1, 1000},
      {1996, 61200, 62700, -1, 1000},   {1997, 62700, 65400, -1, 1000},
      {1998, 65400, 68400, -1, 1100},   {1999, 68400, 72600, -1, 1100},
      {2000, 72600, 76200, -1, 1200},   {2001, 76200, 80400, -1, 1300},
      {2002, 80400, 84900, -1, 1300},   {2003, 84900, 87000, -1, 1400},
      {2004, 87000, 87900, -1, 1400},   {2005, 87900, 90000, -1, 1400},
      {2006, 90000, 94200, -1, 1500},   {2007, 94200, 97500, -1, 1500},
      {2008, 97500, 102000, -1, 1600},  {2009, 102000, 106800, -1, 1700},
      {2010, 106800, 106800, -1, 1700}, {2011, 106800, 106800, -1, 1700},
  }};
  for (const Row& row : kTable) {
    if (row.year != tax_year) continue;
    if (row.prior >= 0) limits.PriorYearMax = row.prior;
    if (row.current >= 0) limits.CurrentYearMax = row.current;
    if (row.medicare >= 0) limits.MedicareWageBase = row.medicare;
    if (row.household >= 0) limits.AnnualHouseholdMin = row.household;
    return;
  }
}

}  // namespace ledgerly
