#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "layout/RecordLayouts.h"
#include "rules/MoneyFields.h"
#include "rules/TotalFieldChecks.h"
#include "support/MemoryRuleContext.h"
#include "support/RecordBuilder.h"

namespace ledgerly {
namespace {

// A record with one money field, field number 1 at positions 12-22, summed in column 9.
std::array<FieldLayoutRow, 2> TestLayout(Territory terr) {
  return {{{"Record Identifier", 1, 2}, {"Test Amount", 12, 22, FieldCheck::Money, 9, terr}}};
}

std::string ZeroText(const std::string& ending) {
  return "The Test Amount field must be zero because it does not apply to the Tax Jurisdiction "
         "Code entered in the RE record. Either enter a value of zero in the Test Amount field or "
         "change the Tax Jurisdiction Code in the RE record to " +
         ending;
}

// Every amount is added to its column; one the territory does not allow is reported.
// '?' stands for an invalid Tax Jurisdiction Code, which allows every amount.
TEST(TerritoryMoneyRule, ReportsDisallowedAmountsAndAddsEveryAmount) {
  const struct {
    Territory terr;
    std::string allowed, refused, ending;
  } cases[] = {
      {Territory::Blank, " ?", "PG", "blank."},
      {Territory::PuertoRico, "P?", " ", "P."},
      {Territory::NotP, "N ", "P", "V, G, S, N or blank."},
      {Territory::NotPAndN, "S", "NP", "V, G, S or blank."},
      {Territory::Islands, "GV?", " P", "V, G, S or N."},
  };
  for (const auto& c : cases) {
    for (const char code : c.allowed + c.refused) {
      SCOPED_TRACE(testing::Message() << "class " << static_cast<int>(c.terr) << " code " << code);
      MemoryRuleContext ctx;
      ctx.OpenBlock("987654321");
      ctx.block.employer.TaxJurisdiction = code == '?' ? "" : std::string(1, code);
      ctx.block.employer.TaxJurisdictionOK = code != '?';
      std::string record = test::BlankRecord("RW");
      test::Put(record, 12, "00000012345");
      const auto layout = TestLayout(c.terr);
      TerritoryMoney(FieldChecker(record, "RW", layout, ctx), 1, 12345, Totals::TRT);
      std::vector<FoundError> expected;
      if (c.refused.find(code) != std::string::npos) {
        expected.push_back(
            {"Test Amount [Position 12 - 22]", "[00000012345]", ZeroText(c.ending), 1});
      }
      EXPECT_EQ(ctx.findings, expected);
      EXPECT_EQ(ctx.block.trt.sums[9], 12345);
      EXPECT_EQ(ctx.block.tru.sums[9], 0);
    }
  }
}

}  // namespace
}  // namespace ledgerly
