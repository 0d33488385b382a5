#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "calendar/StrProc.h"

namespace zenthra {
namespace {

TEST(StrProc, CleansIntegerTextToItsDigitsAndAnAllowedSign) {
    EXPECT_EQ(CleanIntegerText("-12a3", false, false), "123");
    EXPECT_EQ(CleanIntegerText("-12a3", true, false), "-123");
    EXPECT_EQ(CleanIntegerText("+12a3", true, false), "123");
    EXPECT_EQ(CleanIntegerText("x+12a3", false, true), "+123");
    EXPECT_EQ(CleanIntegerText("1-2", false, false), "12");
    EXPECT_EQ(CleanIntegerText("--5", true, false), "-5");
    EXPECT_EQ(CleanIntegerText("12\u00B0 3'", false, false), "123");
}

TEST(StrProc, KeepsAndStripsWholeCharacters) {
    EXPECT_EQ(KeepOnlyChars("a1\u00B02\u00B13", "\u00B0123"), "1\u00B023");
    EXPECT_EQ(StripLeadingChars("0042", "0"), "42");
    EXPECT_EQ(StripLeadingChars("000", "0"), "");
    EXPECT_EQ(StripLeadingChars("0042", ""), "0042");
    EXPECT_EQ(StripLeadingChars("\u00B0\u00B0 5\u00B0", "\u00B0 "), "5\u00B0");
}

TEST(StrProc, FindsTheFirstCharacterOutsideASetByPosition) {
    EXPECT_EQ(FindFirstCharNotIn("0042", 1, "0"), 3);
    EXPECT_EQ(FindFirstCharNotIn("0042", 4, "0"), 4);
    EXPECT_EQ(FindFirstCharNotIn("0042", -7, "0"), 3);
    EXPECT_EQ(FindFirstCharNotIn("0042", 5, "0"), 0);
    EXPECT_EQ(FindFirstCharNotIn("", 1, "0"), 0);
    EXPECT_EQ(FindFirstCharNotIn("0042", 3, ""), 1);
    EXPECT_EQ(FindFirstCharNotIn("\u00B0\u00B05", 1, "\u00B0"), 3);
}

TEST(StrProc, ReadsIntegersHeldAtThe32BitLimits) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(SaturatingInteger(""), 0);
    EXPECT_EQ(SaturatingInteger("abc"), 0);
    EXPECT_EQ(SaturatingInteger(" +42x7"), 42);
    EXPECT_EQ(SaturatingInteger("-500"), -500);
    EXPECT_EQ(SaturatingInteger("2147483647"), kMax);
    EXPECT_EQ(SaturatingInteger("2147483648"), kMax);
    EXPECT_EQ(SaturatingInteger(std::string(30, '9')), kMax);
    EXPECT_EQ(SaturatingInteger("-2147483648"), kMin);
    EXPECT_EQ(SaturatingInteger("-" + std::string(30, '9')), kMin);

    // The rounded reading: halves go to the even neighbour.
    EXPECT_EQ(LeadingNumberRounded("2.5"), 2);
    EXPECT_EQ(LeadingNumberRounded(" 3.5 days"), 4);
    EXPECT_EQ(LeadingNumberRounded("2.50001"), 3);
    EXPECT_EQ(LeadingNumberRounded("-1.5"), -2);
    EXPECT_EQ(LeadingNumberRounded("7."), 7);
    EXPECT_EQ(LeadingNumberRounded("x1"), 0);
    EXPECT_EQ(LeadingNumberRounded(std::string(30, '9') + ".9"), kMax);
}

}  // namespace
}  // namespace zenthra
