// The first-transit search driven from the window.
#include <gtest/gtest.h>

#include "calendar/DatePr2.h"
#include "ephemeris/PlanetLongitude.h"
#include "ui/FakePlatform.h"
#include "ui/FrmMain.h"

namespace zenthra {
namespace {

using testing::FakePlatform;

constexpr int kGmt = 24;

class SearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        w.Form_Load();
        w.cboTimezone[0].SetListIndex(kGmt);
    }

    void WorldSearch(int first, int second, AspectCode aspect, int year, int month, int day) {
        w.ChooseOption(w.optWorld, w.optPersonal);
        w.cboPlanet[0].SetListIndex(first);
        w.cboPlanet[1].SetListIndex(second);
        w.cboSearchAspect.SetListIndex(aspect - 1);
        SetEnd(year, month, day);
        w.cmdSearch_Click();
    }

    void SetEnd(int year, int month, int day) {
        w.txbYear[1].text = std::to_string(year);
        w.txbMonth[1].text = std::to_string(month);
        w.txbDay[1].text = std::to_string(day);
    }

    // Whether the request's pair is within the outer orb at the local midnight of a day.
    bool InOrbOn(int32_t day, AspectCode aspect) {
        const FirstTransitQuery query{w.request.firstBody,
                                      w.request.secondBody,
                                      aspect,
                                      w.request.orbRadians[0],
                                      w.request.isWorld,
                                      w.request.natalLongitude[w.request.secondBody],
                                      w.request.tzMinutes,
                                      0,
                                      BasisOf(w.request)};
        RangeFault fault = RangeFault::None;
        return AspectInOrbAt(query, day - 0.5 - w.request.tzMinutes / 1440.0, fault);
    }

    // Born 1980-05-05 at 13:00 GMT.
    void SetBirth() {
        w.txbYear[2].text = "1980";
        w.txbMonth[2].text = "5";
        w.txbDay[2].text = "5";
        w.cboHour.SetListIndex(13);
        w.cboTimezone[1].SetListIndex(kGmt);
    }

    const std::vector<testing::RecordedBox>& Boxes() { return platform.boxes.boxes; }

    FakePlatform platform;
    FrmMain w{platform};
};

TEST_F(SearchTest, BracketsTheNextCompleteTransitAndListsIt) {
    w.chkKeepDates.SetValue(0);
    WorldSearch(3, 3, kConjunction, 2008, 12, 31);  // Mars and Jupiter
    ASSERT_TRUE(Boxes().empty()) << Boxes()[0].text;
    const int32_t s = w.request.startJdn;
    const int32_t e = w.request.endJdn;
    EXPECT_FALSE(InOrbOn(s, kConjunction));
    for (int32_t d = s + 1; d < e; ++d) {
        ASSERT_TRUE(InOrbOn(d, kConjunction)) << d;
    }
    EXPECT_FALSE(InOrbOn(e, kConjunction));
    EXPECT_EQ(FormatShortDate(s, kYearMonthDay, "-", ",", false), "2009-01-30");
    EXPECT_NE(w.Pane().Text().find("Conjunction | 2009-01-30"), std::string::npos);
    EXPECT_EQ(w.txbYear[0].text + "-" + w.txbMonth[0].text + "-" + w.txbDay[0].text, "2009-1-30");
    EXPECT_EQ(w.lblDate[0].caption, "January 30, 2009 CE");
    EXPECT_EQ(w.request.orbDegrees, (std::array<int16_t, 3>{10, 6, 2}));
}

// The natal position and the transiting body are both taken in the chosen zodiac; a search in
// the other one would bracket days some three weeks away for the Sun.
TEST_F(SearchTest, APersonalSearchBracketsTheTransitInTheChosenZodiac) {
    w.chkKeepDates.SetValue(0);
    w.ChooseOption(w.optPersonal, w.optWorld);
    w.ChooseOption(w.optSidereal, w.optTropical);
    SetBirth();
    w.cboPlanet[0].SetListIndex(0);  // Sun
    w.cboSearchAspect.SetListIndex(kConjunction - 1);
    SetEnd(2008, 12, 31);
    w.cmdSearch_Click();
    ASSERT_TRUE(Boxes().empty()) << Boxes()[0].text;
    ASSERT_TRUE(w.request.sidereal);
    const int32_t s = w.request.startJdn;
    const int32_t e = w.request.endJdn;
    ASSERT_LT(s + 1, e);
    EXPECT_FALSE(InOrbOn(s, kConjunction));
    for (int32_t d = s + 1; d < e; ++d) {
        ASSERT_TRUE(InOrbOn(d, kConjunction)) << d;
    }
    EXPECT_FALSE(InOrbOn(e, kConjunction));
}

TEST_F(SearchTest, SkipsATransitInEffectAndKeepsTheDatesWhenAsked) {
    WorldSearch(3, 3, kConjunction, 2009, 2, 10);  // inside the conjunction of February 2009
    ASSERT_TRUE(Boxes().empty());
    EXPECT_GT(w.request.startJdn, DateToJdn(2009, 3, 7).jdn);
    EXPECT_TRUE(InOrbOn(w.request.startJdn + 1, kConjunction));
    EXPECT_EQ(w.txbYear[0].text, "2026");  // "Keep start/end dates" is ticked
    EXPECT_EQ(w.txbMonth[1].text, "2");
}

TEST_F(SearchTest, DerivesTheInnerOrbsAndRefusesSmallSearchOrbs) {
    w.cboOrbs[0].SetListIndex(14);
    WorldSearch(0, 3, kTrine, 2020, 1, 1);  // Sun and Jupiter
    EXPECT_EQ(w.request.orbDegrees, (std::array<int16_t, 3>{15, 10, 5}));
    EXPECT_TRUE(w.request.outerOrbIs15);

    const auto refused = [&](int outerIndex, bool world, const std::string& text) {
        platform.boxes.boxes.clear();
        w.cboOrbs[0].SetListIndex(outerIndex);
        platform.boxes.boxes.clear();  // the orb rules of the list itself
        if (world) {
            w.ChooseOption(w.optWorld, w.optPersonal);
        } else {
            w.ChooseOption(w.optPersonal, w.optWorld);
            SetBirth();
        }
        w.cboPlanet[0].SetListIndex(0);  // Sun
        w.cmdSearch_Click();
        ASSERT_EQ(Boxes().size(), 1u) << text;
        EXPECT_EQ(Boxes()[0].text, text);
        EXPECT_EQ(Boxes()[0].title, "Search orb value");
        EXPECT_EQ(Boxes()[0].icon, MsgIcon::Information);
    };
    refused(4, true, "With Sun, Venus or Mars the search orb must be at least 6°.");
    refused(4, false, "With transiting Sun, Venus or Mars the search orb must be at least 6°.");
    refused(3, false, "The search orb must be at least 5°.");
}

TEST_F(SearchTest, RefusesAMissingAspectTimezoneOrReversedPair) {
    w.cboSearchAspect.SetListIndex(-1);
    w.ChooseOption(w.optWorld, w.optPersonal);
    w.cmdSearch_Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Please choose the aspect to search for.");
    EXPECT_EQ(Boxes()[0].title, "Search");

    w.cboTimezone[0].SetListIndex(0);
    w.cmdSearch_Click();
    EXPECT_EQ(Boxes()[1].text,
              "Please specify the timezone for the results, or use the default GMT timezone.");
    EXPECT_EQ(Boxes()[1].icon, MsgIcon::None);
    EXPECT_EQ(w.cboTimezone[0].ListIndex(), kGmt);

    WorldSearch(4, 0, kSquare, 2020, 1, 1);  // Jupiter and Mercury
    EXPECT_EQ(Boxes()[2].text, "Outer planet must be beyond inner planet");
    EXPECT_EQ(Boxes()[2].title, "Search");
}

TEST_F(SearchTest, StopsAtTheEndOfThePlutoTable) {
    w.txbYear[2].text = "2099";
    w.txbMonth[2].text = "1";
    w.txbDay[2].text = "1";
    w.cboHour.SetListIndex(13);
    w.cboTimezone[1].SetListIndex(kGmt);
    w.cboPlanet[0].SetListIndex(8);  // transiting Pluto
    w.cboPlanet[1].SetListIndex(8);  // natal Pluto: the conjunction is in effect
    w.cboSearchAspect.SetListIndex(0);
    SetEnd(2099, 1, 5);
    const Outcome outcome = w.cmdSearch_Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text,
              "No complete conjunction transit found up to 2100-01-01 CE .\r\n"
              "Date is beyond allowable date range for Pluto.");
    EXPECT_EQ(outcome.kind, OutcomeKind::Failed);
    EXPECT_EQ(outcome.message, Boxes()[0].text);
    EXPECT_EQ(Boxes()[0].title, "Date out of range");
    EXPECT_EQ(Boxes()[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w.lblShortDate.visible);
    EXPECT_EQ(w.request.startJdn, -1);
    EXPECT_TRUE(w.Pane().Empty());
}

}  // namespace
}  // namespace zenthra
