#include "support/ValidDetailRecords.h"

#include <initializer_list>
#include <span>

#include "layout/RecordLayouts.h"
#include "support/RecordBuilder.h"

namespace ledgerly::test {

EmployerValues ValidEmployer() {
  EmployerValues employer;
  employer.TaxYear = 2011;
  employer.TaxYearText = "2011";
  employer.EmploymentCode = "R";
  employer.TaxJurisdiction = " ";
  employer.TaxJurisdictionOK = true;
  employer.TaxJurisdictionRaw = " ";
  return employer;
}

std::string Amount(int64_t cents, int width) {
  std::string digits = std::to_string(cents);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string ValidRW() {
  std::string rw = BlankRecord("RW");
  Put(rw, 3, "123456789");
  Put(rw, 12, "JOHN");
  Put(rw, 27, "Q");
  Put(rw, 42, "PUBLIC");
  Put(rw, 62, "JR");
  Put(rw, 66, "SUITE 100");
  Put(rw, 88, "12 MAIN STREET");
  Put(rw, 110, "FAIRFAX");
  Put(rw, 132, "VA");
  Put(rw, 134, "22030");
  Put(rw, 139, "1234");
  Put(rw, 188, Amount(5500000, 11));  // wages, tips and other compensation
  Put(rw, 199, Amount(800000, 11));   // federal income tax
  Put(rw, 210, Amount(5000000, 11));  // social security wages
  Put(rw, 221, Amount(310000, 11));   // social security tax
  Put(rw, 232, Amount(5500000, 11));  // medicare wages and tips
  Put(rw, 243, Amount(79750, 11));    // medicare tax
  Put(rw, 254, Amount(500000, 11));   // social security tips
  for (int position = 265; position <= 463; position += 11) {
    if (position != 397) Put(rw, position, Amount(0, 11));
  }
  Put(rw, 276, Amount(100000, 11));  // dependent care benefits
  Put(rw, 287, Amount(200000, 11));  // 401(k)
  Put(rw, 486, "0");
  Put(rw, 488, "1");
  Put(rw, 489, "0");
  return rw;
}

std::string ValidRO() {
  std::string ro = BlankRecord("RO");
  for (const FieldLayoutRow& row : std::span(kROLayout).subspan(1)) {
    if (std::string_view(row.label) != "Blank") Put(ro, row.first, Amount(0, row.Width()));
  }
  Put(ro, 12, Amount(20000, 11));  // allocated tips
  Put(ro, 23, Amount(1000, 11));   // uncollected employee tax on tips
  Put(ro, 34, Amount(30000, 11));  // medical savings account
  return ro;
}

namespace {

// A total record of the block row: its count, each sum column 1, 2, ... at the next
// of `sum_positions`, zeros in the amounts that are not totals.
std::string TotalRecord(std::string_view id, const AccumulatorRow& row,
                        std::initializer_list<int> sum_positions,
                        std::initializer_list<int> zero_positions) {
  std::string record = BlankRecord(id);
  Put(record, 3, Amount(row.count, 7));
  int column = 1;
  for (int position : sum_positions) Put(record, position, Amount(row.sums[column++], 15));
  for (int position : zero_positions) Put(record, position, Amount(0, 15));
  return record;
}

}  // namespace

std::string ValidRT(const AccumulatorRow& trt) {
  return TotalRecord("RT", trt, {10,  25,  40,  55,  70,  85,  100, 130, 145, 160, 175, 190,
                                 205, 220, 235, 250, 265, 280, 310, 340, 355, 370, 385},
                     {115, 295, 325});
}

std::string ValidRU(const AccumulatorRow& tru) {
  return TotalRecord(
      "RU", tru, {10, 25, 40, 55, 70, 85, 100, 115, 355, 370, 385, 400, 415, 430, 445, 460, 475},
      {130, 145});
}

}  // namespace ledgerly::test
