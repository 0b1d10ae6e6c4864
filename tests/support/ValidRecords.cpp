#include "support/ValidRecords.h"

#include "support/RecordBuilder.h"
#include "support/ValidDetailRecords.h"

namespace ledgerly::test {

std::string ValidRA() {
  std::string record = BlankRecord("RA");
  Put(record, 3, "123456789");  // Submitter's EIN
  Put(record, 12, "AB12CD34");  // User ID
  Put(record, 29, "0");         // Resub Indicator
  Put(record, 36, "98");        // Software Code
  Put(record, 38, "ACME PAYROLL SERVICES");
  Put(record, 117, "100 MAIN STREET");
  Put(record, 139, "BALTIMORE");
  Put(record, 161, "MD");
  Put(record, 163, "21201");
  Put(record, 217, "ACME PAYROLL SERVICES");
  Put(record, 296, "100 MAIN STREET");
  Put(record, 318, "BALTIMORE");
  Put(record, 340, "MD");
  Put(record, 342, "21201");
  Put(record, 396, "JANE O'NEIL-DOE");  // Contact Name
  Put(record, 423, "4105551234");       // Contact Phone Number
  Put(record, 446, "jane.doe@acme.example");
  Put(record, 499, "1");  // Preferred Method of Problem Notification Code
  Put(record, 500, "L");  // Preparer Code
  return record;
}

std::string ValidRE() {
  std::string record = BlankRecord("RE");
  Put(record, 3, "2011");       // Tax Year
  Put(record, 8, "123456789");  // Employer/Agent EIN
  Put(record, 26, "0");         // Terminating Business Indicator
  Put(record, 40, "ACME WIDGETS INC");
  Put(record, 119, "200 HARBOR ROAD");
  Put(record, 141, "ANNAPOLIS");
  Put(record, 163, "MD");
  Put(record, 165, "21401");
  Put(record, 174, "N");  // Kind of Employer
  Put(record, 219, "R");  // Employment Code
  Put(record, 221, "0");  // Third-Party Sick Pay Indicator
  return record;
}

std::string ValidRF(int64_t rw_count) {
  std::string record = BlankRecord("RF");
  Put(record, 8, Amount(rw_count, 9));
  return record;
}

}  // namespace ledgerly::test
