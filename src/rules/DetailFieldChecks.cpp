#include "rules/DetailFieldChecks.h"

#include <string>

#include "rules/Primitives.h"

namespace ledgerly {

std::string PositionReference(std::string_view name, int first, int last) {
  if (first == last) {
    std::string reference(name);
    reference += " [Position " + std::to_string(first) + "]";
    return reference;
  }
  return FieldReference(name, first, last);
}

bool CheckPrintableField(std::string_view txtline, std::string_view name, int first, int last,
                         int field_no, RuleContext& ctx) {
  const std::string_view value = Field(txtline, first, last);
  std::string positions;
  if (CharCheck(value, first, positions)) return true;
  ctx.AddFieldError(PositionReference(name, first, last), UserEntry(value),
                    InvalidCharError(positions), field_no);
  return false;
}

bool IsOneOf(std::string_view code, std::string_view codes) {
  return code.size() == 1 && codes.find(code[0]) != std::string_view::npos;
}

bool IsZeroFilled(std::string_view value, std::size_t zeros) {
  const auto begin = value.find_first_not_of(' ');
  if (begin == std::string_view::npos) return false;
  const auto end = value.find_last_not_of(' ');
  const std::string_view trimmed = value.substr(begin, end - begin + 1);
  return trimmed.size() == zeros && trimmed.find_first_not_of('0') == std::string_view::npos;
}

std::string EmploymentCodeZeroError(std::string_view field_name) {
  std::string text = "The ";
  text += field_name;
  text += " field must be zero because it does not apply to the Employment Code entered in the RE ";
  text += "record. Either enter a value of zero in the ";
  text += field_name;
  text += " field or change the Employment Code in the RE record.";
  return text;
}

}  // namespace ledgerly
