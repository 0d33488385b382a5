#include <gtest/gtest.h>

#include "ephemeris/Angles.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {
namespace {

class VocabularyTest : public ::testing::Test {
  protected:
    void TearDown() override { Load(0); }

    static void Load(int16_t language) {
        languageSetting = language;
        InitVocabulary(ZENTHRA_DATA_DIR);
    }
};

TEST_F(VocabularyTest, LanguageOneLoadsGermanAndEveryOtherValueEnglish) {
    Load(1);
    EXPECT_EQ(BodyName(kSun), "Sonne");
    EXPECT_EQ(BodyAbbreviation(kSun), "So");
    EXPECT_EQ(BodyName(kNeptune), "Neptun");
    EXPECT_EQ(BodyName(kMoon), "Mond");
    EXPECT_EQ(AspectName(kSquare), "Quadrat");
    EXPECT_EQ(AspectAbbreviation(kConjunction), "Kon");
    EXPECT_EQ(AspectAbbreviation(kSquare), "Qua");
    EXPECT_EQ(AspectName(kQuincunx), "Quinkunx");

    for (int16_t language : {0, 2}) {
        Load(language);
        EXPECT_EQ(BodyName(kSun), "Sun");
        EXPECT_EQ(BodyAbbreviation(kSun), "Su");
        EXPECT_EQ(BodyName(kPluto), "Pluto");
        EXPECT_EQ(BodyAbbreviation(kMoon), "Mo");
        EXPECT_EQ(AspectName(kConjunction), "Conjunction");
        EXPECT_EQ(AspectAbbreviation(kSextile), "Sxt");
        EXPECT_EQ(AspectAbbreviation(kSemisextile), "Ssx");
    }
}

// Known while the program is compiled, so never read before start-up has filled them in.
static_assert(AspectAngle(kSquare) == 1.5707963267948974);
static_assert(AspectAngle(kQuincunx) > AspectAngle(kTrine));

TEST_F(VocabularyTest, AspectAnglesAreFractionsOfTheFullTurn) {
    Load(0);
    EXPECT_EQ(AspectAngle(kConjunction), 0);
    EXPECT_EQ(AspectAngle(kOpposition), 3.141592653589795);
    EXPECT_EQ(AspectAngle(kSquare), 1.5707963267948974);
    EXPECT_DOUBLE_EQ(AspectAngle(kTrine), 2.0943951023931967);
    EXPECT_DOUBLE_EQ(AspectAngle(kSextile), 1.0471975511965983);
    EXPECT_DOUBLE_EQ(AspectAngle(kSemisextile), 0.5235987755982992);
    EXPECT_DOUBLE_EQ(AspectAngle(kQuincunx), 2.6179938779914958);
}

TEST_F(VocabularyTest, CodesOutsideTheTablesGiveNothing) {
    Load(0);
    EXPECT_EQ(BodyName(0), "");
    EXPECT_EQ(BodyName(11), "");
    EXPECT_EQ(BodyAbbreviation(-1), "");
    EXPECT_EQ(AspectName(8), "");
    EXPECT_EQ(AspectAbbreviation(0), "");
    EXPECT_EQ(AspectAngle(8), 0);
}

}  // namespace
}  // namespace zenthra
