#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "rules/RecordRules.h"
#include "support/RecordBuilder.h"
#include "support/RuleCase.h"
#include "support/ValidDetailRecords.h"
#include "support/ValidRecords.h"
#include "viewer/FieldLayouts.h"

// The rules write each field's positions twice: in the reference text and as the
// field number the viewer paints. Spoiling every field of every record type in
// turn, each finding that names positions must name those of its numbered box.
namespace ledgerly {
namespace {

std::string ValidRecord(const std::string& id, MemoryRuleContext& ctx) {
  if (id == "RA") return test::ValidRA();
  if (id == "RE") return test::ValidRE();
  if (id == "RW") return test::ValidRW();
  if (id == "RO") return test::ValidRO();
  if (id == "RT") return test::ValidRT(ctx.trt);
  if (id == "RU") return test::ValidRU(ctx.tru);
  return test::ValidRF(0);
}

void RunRules(const std::string& id, const std::string& record, MemoryRuleContext& ctx) {
  if (id == "RA") CheckCodeRA(record, ctx);
  if (id == "RE") CheckCodeRE(record, ctx);
  if (id == "RW") CheckCodeRW(record, ctx);
  if (id == "RO") CheckCodeRO(record, ctx);
  if (id == "RT") CheckCodeRT(record, 1, ctx);
  if (id == "RU") CheckCodeRU(record, 1, ctx);
  if (id == "RF") CheckCodeRF(record, ctx);
}

class FindingsNameTheirBox : public testing::TestWithParam<const char*> {};

TEST_P(FindingsNameTheirBox, ForEverySpoiledField) {
  const std::string id = GetParam();
  const auto layout = LayoutFor(id);
  // "[Position 3 - 11]", "[Position 29]" and the RA e-mail's "[Position 446-485]".
  const std::regex positions(R"(\[Position (\d+)(?: ?- ?(\d+))?\]$)");
  // Each spoiler breaks a different rule: characters, digits, codes, blanks.
  for (const char* spoiler : {"\t", "Z", " ", "9"}) {
    for (std::size_t field = 1; field < layout.size(); ++field) {
      MemoryRuleContext ctx;
      ctx.employer = test::ValidEmployer();
      ctx.OpenBlock("123456789");
      std::string record = ValidRecord(id, ctx);
      const int width = layout[field].last - layout[field].first + 1;
      std::string text;
      for (int i = 0; i < width; ++i) text += spoiler;
      test::Put(record, layout[field].first, text);
      RunRules(id, record, ctx);
      for (const Finding& finding : ctx.findings) {
        SCOPED_TRACE(id + " field " + std::to_string(field) + " spoiler [" + spoiler + "]");
        std::smatch match;
        // The Social Security limit findings name the limit, not positions.
        if (!std::regex_search(finding.reference, match, positions)) continue;
        const int first = std::stoi(match[1]);
        const int last = match[2].matched ? std::stoi(match[2]) : first;
        ASSERT_GE(finding.field_no, 1);
        ASSERT_LT(static_cast<std::size_t>(finding.field_no), layout.size());
        EXPECT_EQ(layout[static_cast<std::size_t>(finding.field_no)].first, first)
            << finding.reference << " numbered " << finding.field_no;
        EXPECT_EQ(layout[static_cast<std::size_t>(finding.field_no)].last, last)
            << finding.reference << " numbered " << finding.field_no;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryLaidOutType, FindingsNameTheirBox,
                         testing::Values("RA", "RE", "RW", "RO", "RT", "RU", "RF"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace ledgerly
