#pragma once

#include <cstdint>
#include <iosfwd>
#include <random>
#include <string>
#include <unordered_map>

namespace ledgerly {

// A copy of a submission a bureau can hand to its vendor: every SSN, EIN,
// name, address, phone number, e-mail address and User ID replaced by a fake
// of the same length and character classes, so that each field is valid where
// the original was and invalid in the same way where it was not (an SSN keeps
// a refused 9 or 666 start, an EIN its two-digit prefix); amounts, codes and
// everything else left as they are, so every total reconciles as before. The
// RS and RV records, whose fields are not checked, are replaced after their
// identifier. The same original gets the same fake throughout, and the same
// seed the same copy.
class Redactor {
 public:
  explicit Redactor(uint64_t seed) : random_(seed) {}

  // Redacts one record (without its line break) in place.
  void Redact(std::string& record);

  // Copies in to out record by record, keeping the line breaks and anything
  // after the last record. Returns the number of records.
  int64_t Copy(std::istream& in, std::ostream& out);

  int64_t fields_replaced() const { return fields_replaced_; }

 private:
  enum class Kind { Ssn, Ein, Other };
  std::string Fake(std::string_view value, Kind kind);
  char FakeCharacter(char c);

  std::mt19937_64 random_;
  std::unordered_map<std::string, std::string> fakes_;  // by kind and original
  int64_t fields_replaced_ = 0;
};

}  // namespace ledgerly
