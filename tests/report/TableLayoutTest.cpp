#include <gtest/gtest.h>

#include <string>

#include "calendar/DatePr2.h"
#include "ephemeris/Vocabulary.h"
#include "report/TableLayout.h"

namespace zenthra {
namespace {

class TableLayoutTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        InitDateVocabulary();
        InitVocabulary(ZENTHRA_DATA_DIR);
    }

    static RunTitleInputs Run2009(bool world, const std::string& first) {
        RunTitleInputs in;
        in.isWorld = world;
        in.firstBodyText = first;
        in.secondBodyText = world ? "Jupiter" : "Venus";
        in.startJdn = DateToJdn(2009, 1, 1).jdn;
        in.endJdn = DateToJdn(2009, 12, 31).jdn;
        in.birthJdn = DateToJdn(1960, 6, 5).jdn;
        in.hourText = "14";
        in.minuteText = "30";
        in.birthTimezoneText = "GMT";
        return in;
    }
};

TEST_F(TableLayoutTest, RunTitles) {
    const std::string period = " and Jupiter from January 1, 2009, to December 31, 2009";
    EXPECT_EQ(BuildRunTitle(Run2009(true, "Mars")),
              "World transits for Mars" + period + " ('r' = Mars retrograde)");
    EXPECT_EQ(BuildRunTitle(Run2009(true, "Sun")), "World transits for Sun" + period);

    RunTitleInputs showAll = Run2009(true, "");
    showAll.showAllMode = true;
    showAll.firstBodySelected = false;
    EXPECT_EQ(BuildRunTitle(showAll), "World transits for Pluto" + period + " ('r' not shown)");

    RunTitleInputs personal = Run2009(false, "Mars");
    EXPECT_EQ(BuildRunTitle(personal),
              "Mars transits of natal Venus, Jan. 1, 2009, to Dec. 31, "
              "2009, birth at June 5, 1960, 14:30 GMT (tropical)");
    personal.tropical = false;
    EXPECT_TRUE(BuildRunTitle(personal).ends_with("14:30 GMT (sidereal)"));
}

TEST_F(TableLayoutTest, TextRowsPadAndCutByCharacters) {
    EXPECT_EQ(TextRowLayout(TextHeadings({8, 5, 2})),
              "Aspect      | Start 8°    Start 5°    Start 2°    | Minimum at  | "
              "End 2°      End 5°      End 8°      | Minimum\r\n");
    // "Start 10°" is nine characters, eleven bytes.
    EXPECT_TRUE(TextRowLayout(TextHeadings({15, 10, 1})).starts_with("Aspect      | Start 15°   "));

    const TableRow cells = {
        "Opposition and",    "°°°°°°°°°°°°°°", "", "", "2009-02-17*r", "", "", "",
        "16:27 Asia/Kolkata"};
    EXPECT_EQ(TextRowLayout(cells), "Opposition a| °°°°°°°°°°°°" + std::string(24, ' ') +
                                        "| 2009-02-17*r| " + std::string(36, ' ') +
                                        "| 16:27 Asia/Kolkata\r\n");
    EXPECT_EQ(RuleLine(), std::string(119, '-'));
}

TEST_F(TableLayoutTest, HtmlRowWritesDegreesAsEntitiesAndCutsEveryCellButTheMinimum) {
    const std::string td = "<td align=\"left\" valign=\"top\">&nbsp;";
    const std::string empty = td + "            &nbsp;</td>\r\n";
    EXPECT_EQ(
        HtmlRowLayout({"Opposition", "2009-11-02", "", "", "", "", "", "2009-12-23r", "0°12'"}),
        "<tr>\r\n" + td + "Opposition  &nbsp;</td>\r\n" + td + "2009-11-02  &nbsp;</td>\r\n" +
            empty + empty + empty + empty + empty + td + "2009-12-23r &nbsp;</td>\r\n" + td +
            "0&deg;12'   &nbsp;</td>\r\n" + "</tr>\r\n\r\n");

    const std::string html = HtmlRowLayout(
        {"Conjunction!!", "", "", "", "", "", "", "Start 10° orb", "359°59' and more"});
    EXPECT_NE(html.find(td + "Conjunction!&nbsp;"), std::string::npos) << html;
    EXPECT_NE(html.find(td + "Start 10° or&nbsp;"), std::string::npos) << html;
    EXPECT_NE(html.find(td + "359&deg;59' and more&nbsp;"), std::string::npos) << html;

    // Exact minima end with the results' zone, which must stay whole to be told apart.
    for (const std::string zone : {"GMT+5:30", "GMT+5:00"}) {
        const std::string exact =
            HtmlRowLayout({"Trine", "", "", "", "", "", "", "", "16:27 " + zone});
        EXPECT_NE(exact.find(td + "16:27 " + zone + "&nbsp;</td>\r\n</tr>"), std::string::npos)
            << exact;
    }
}

TEST_F(TableLayoutTest, HtmlTableHead) {
    const std::string td = "<td align=\"center\">&nbsp;";
    EXPECT_EQ(HtmlTableHead("Title", {12, 7, 3}),
              "<center>\r\n<table border=\"1\" cellpadding=\"1\" cellspacing=\"1\">\r\n"
              "<tr><td align=\"center\" colspan=\"9\"><b>\r\nTitle\r\n</b></td></tr>\r\n<tr>\r\n" +
                  td + "Aspect&nbsp;</td>\r\n" + td + "Start<BR>12&deg; orb&nbsp;</td>\r\n" + td +
                  "Start<BR>7&deg; orb&nbsp;</td>\r\n" + td + "Start<BR>3&deg; orb&nbsp;</td>\r\n" +
                  td + "Minimum at&nbsp;</td>\r\n" + td + "End<BR>3&deg; orb&nbsp;</td>\r\n" + td +
                  "End<BR>7&deg; orb&nbsp;</td>\r\n" + td + "End<BR>12&deg; orb&nbsp;</td>\r\n" +
                  td + "Minimum&nbsp;</td>\r\n</tr>\r\n");
    EXPECT_STREQ(kHtmlTableEnd, "</table></center><p>");
}

}  // namespace
}  // namespace zenthra
