#include "support/ValidDetailRecords.h"

#include <utility>

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
  for (int position = 12; position <= 110; position += 11) Put(ro, position, Amount(0, 11));
  Put(ro, 111, Amount(0, 11));
  for (int position = 275; position <= 341; position += 11) Put(ro, position, Amount(0, 11));
  Put(ro, 363, Amount(0, 11));
  Put(ro, 374, Amount(0, 11));
  Put(ro, 12, Amount(20000, 11));  // allocated tips
  Put(ro, 23, Amount(1000, 11));   // uncollected employee tax on tips
  Put(ro, 34, Amount(30000, 11));  // medical savings account
  return ro;
}

std::string ValidRT(const AccumulatorRow& trt) {
  // First position of the total compared with each TRT column 1-23.
  static constexpr int kColumnPositions[] = {10,  25,  40,  55,  70,  85,  100, 130,
                                             145, 160, 175, 190, 205, 220, 235, 250,
                                             265, 280, 310, 340, 355, 370, 385};
  std::string rt = BlankRecord("RT");
  Put(rt, 3, Amount(trt.count, 7));
  int column = 1;
  for (int position : kColumnPositions) Put(rt, position, Amount(trt.sums[column++], 15));
  Put(rt, 115, Amount(0, 15));
  Put(rt, 295, Amount(0, 15));
  Put(rt, 325, Amount(0, 15));
  return rt;
}

std::string ValidRU(const AccumulatorRow& tru) {
  // First position of the total compared with each TRU column 1-17.
  static constexpr int kColumnPositions[] = {10,  25,  40,  55,  70,  85,  100, 115, 355,
                                             370, 385, 400, 415, 430, 445, 460, 475};
  std::string ru = BlankRecord("RU");
  Put(ru, 3, Amount(tru.count, 7));
  int column = 1;
  for (int position : kColumnPositions) Put(ru, position, Amount(tru.sums[column++], 15));
  Put(ru, 130, Amount(0, 15));
  Put(ru, 145, Amount(0, 15));
  return ru;
}

}  // namespace ledgerly::test
