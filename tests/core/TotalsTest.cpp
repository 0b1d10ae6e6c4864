#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "layout/RecordLayouts.h"
#include "rules/MoneyFields.h"
#include "support/RecordBuilder.h"
#include "support/ValidDetailRecords.h"
#include "totals/TotalFieldChecks.h"

namespace ledgerly {
namespace {

using test::BlankRecord;
using test::Put;

// A record with one money field, field number 1 at positions 12-22, summed in column 9.
std::array<FieldLayoutRow, 2> TestLayout(Territory terr) {
  return {{{"Record Identifier", 1, 2}, {"Test Amount", 12, 22, FieldCheck::Money, 9, terr}}};
}

std::string RecordWithAmount() {
  std::string record = BlankRecord("RW");
  Put(record, 12, "00000012345");
  return record;
}

std::string ZeroText(const std::string& ending) {
  return "The Test Amount field must be zero because it does not apply to the Tax Jurisdiction "
         "Code entered in the RE record. Either enter a value of zero in the Test Amount field or "
         "change the Tax Jurisdiction Code in the RE record to " +
         ending;
}

struct TerritoryCase {
  Territory terr;
  const char* code;    // TaxJurisdiction; nullptr for an invalid code
  const char* ending;  // nullptr when the amount is allowed
};

const std::vector<TerritoryCase> kTerritoryCases = {
    {Territory::Blank, " ", nullptr},
    {Territory::Blank, "P", "blank."},
    {Territory::Blank, "G", "blank."},
    {Territory::Blank, nullptr, nullptr},
    {Territory::PuertoRico, "P", nullptr},
    {Territory::PuertoRico, " ", "P."},
    {Territory::PuertoRico, nullptr, nullptr},
    {Territory::NotP, "P", "V, G, S, N or blank."},
    {Territory::NotP, "N", nullptr},
    {Territory::NotP, " ", nullptr},
    {Territory::NotPAndN, "N", "V, G, S or blank."},
    {Territory::NotPAndN, "P", "V, G, S or blank."},
    {Territory::NotPAndN, "S", nullptr},
    {Territory::Islands, "G", nullptr},
    {Territory::Islands, "V", nullptr},
    {Territory::Islands, " ", "V, G, S or N."},
    {Territory::Islands, "P", "V, G, S or N."},
    {Territory::Islands, nullptr, nullptr},
};

// Every amount is added to its column; one the territory does not allow is reported.
TEST(TerritoryMoneyRule, ReportsDisallowedAmountsAndAddsEveryAmount) {
  for (const TerritoryCase& c : kTerritoryCases) {
    SCOPED_TRACE(testing::Message() << "class " << static_cast<int>(c.terr) << " code "
                                    << (c.code ? c.code : "(invalid)"));
    MemoryRuleContext ctx;
    ctx.OpenBlock("987654321");
    ctx.block.employer.TaxJurisdiction = c.code ? c.code : "";
    ctx.block.employer.TaxJurisdictionOK = c.code != nullptr;
    const auto layout = TestLayout(c.terr);
    TerritoryMoney(FieldChecker(RecordWithAmount(), layout, ctx), 1, 12345, Totals::TRT);
    std::vector<Finding> expected;
    if (c.ending) {
      expected.push_back(
          {"Test Amount [Position 12 - 22]", "[00000012345]", ZeroText(c.ending), 1});
    }
    EXPECT_EQ(ctx.findings, expected);
    EXPECT_EQ(ctx.block.trt.sums[9], 12345);
    EXPECT_EQ(ctx.block.tru.sums[9], 0);
  }
}

}  // namespace
}  // namespace ledgerly
