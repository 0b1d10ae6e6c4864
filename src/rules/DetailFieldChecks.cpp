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

}  // namespace ledgerly
