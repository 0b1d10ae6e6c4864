#pragma once

#include <cstdint>
#include <string>

#include "rules/RuleContext.h"

// Records that pass every field rule under ValidEmployer(); tests change one field.
namespace ledgerly::test {

// Tax year 2011, Employment Code "R", blank (valid) Tax Jurisdiction Code.
EmployerValues ValidEmployer();

// An amount as zero-filled digits of the given width.
std::string Amount(int64_t cents, int width);

// SSN 123456789, wages within the 2011 limits, indicators 0/1/0.
std::string ValidRW();
// Allocated Tips, Uncollected Employee Tax on Tips and Medical Savings Account
// non-zero; the Puerto Rico and island amounts zero.
std::string ValidRO();

// Total records whose count and money totals equal the given block row.
std::string ValidRT(const AccumulatorRow& trt);
std::string ValidRU(const AccumulatorRow& tru);

}  // namespace ledgerly::test
