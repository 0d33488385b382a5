// The birth place field: completions from the atlas, choosing a place, Enter, and the place in
// the saved state whatever the store holds.
#include <gtest/gtest.h>

#include <memory>

#include "ui/FakePlatform.h"
#include "ui/FrmMain.h"
#include "ui/MemorySettingsStore.h"

namespace zenthra {
namespace {

using testing::FakePlatform;
using testing::MemorySettingsStore;

constexpr const char* kState = "Software\\Varnholt\\ZTA";

class BirthPlaceTest : public ::testing::Test {
  protected:
    std::unique_ptr<FrmMain> Start() {
        auto window = std::make_unique<FrmMain>(p, OutputPane::kWindowCapacity, &store);
        window->Form_Load();
        return window;
    }

    // Typing as the view forwards it: the text, then the change.
    static void Type(FrmMain& w, const std::string& text) {
        w.txbBirthPlace.text = text;
        w.txbBirthPlace.change();
    }

    static void PressEnter(FrmMain& w) { w.txbBirthPlace.keyDown(kKeyEnter, 0); }

    void StorePlace(const std::string& name, const std::string& latitude,
                    const std::string& longitude) {
        store.Set(kState, "StateSaved", "Y");
        store.Set(kState, "BirthPlace", name);
        store.Set(kState, "BirthLatitude", latitude);
        store.Set(kState, "BirthLongitude", longitude);
        store.Set(kState, "BirthPlaceZone", "Europe/Rome");
    }

    FakePlatform p;
    MemorySettingsStore store;
    std::unique_ptr<FrmMain> w = Start();
};

TEST_F(BirthPlaceTest, TypingOffersTheAtlasMatchesAsCompletions) {
    EXPECT_EQ(w->txbBirthPlace.caption, "Birth place, e.g. Rome");
    Type(*w, "Tr");
    EXPECT_TRUE(w->txbBirthPlace.list.empty());  // too short to search
    Type(*w, "Trento");
    ASSERT_GE(w->txbBirthPlace.list.size(), 3u);
    EXPECT_EQ(w->txbBirthPlace.list[0], "Trento, Trentino-Alto Adige, Italy");
    EXPECT_EQ(w->txbBirthPlace.list[1], "Trento, Caraga, Philippines");
    Type(*w, "Spring");
    EXPECT_EQ(w->txbBirthPlace.list.size(), 12u);  // the most offered at once
    Type(*w, "Xyzzyqx");
    EXPECT_TRUE(w->txbBirthPlace.list.empty());
    Type(*w, "Ber\x01");
    EXPECT_TRUE(w->txbBirthPlace.list.empty());
    EXPECT_TRUE(p.boxes.boxes.empty());  // typing never shows a box
    EXPECT_FALSE(w->birthPlace);
}

TEST_F(BirthPlaceTest, ChoosingACompletionSetsTheBirthZoneAndShowsTheCoordinates) {
    w->txbBirthZone.text = "Asia/Tokyo";
    Type(*w, "Trento");
    w->txbBirthPlace.SetListIndex(1);
    ASSERT_TRUE(w->birthPlace);
    EXPECT_EQ(w->birthPlace->country, "Philippines");
    EXPECT_EQ(w->txbBirthZone.text, "Asia/Manila");
    EXPECT_EQ(w->txbBirthPlace.text, "Trento, Caraga, Philippines");
    EXPECT_EQ(w->txbBirthPlace.toolTip,
              "Trento, Caraga, Philippines: 8.0458 N, 126.0636 E, Asia/Manila");
    EXPECT_TRUE(w->txbBirthPlace.list.empty());
}

TEST_F(BirthPlaceTest, EnterTakesTheBestMatchOrSaysWhyNot) {
    Type(*w, "Berlin");
    PressEnter(*w);
    ASSERT_TRUE(w->birthPlace);
    EXPECT_EQ(w->txbBirthZone.text, "Europe/Berlin");
    EXPECT_EQ(w->txbBirthPlace.toolTip,
              "Berlin, Berlin, Germany: 52.5244 N, 13.4105 E, "
              "Europe/Berlin");

    for (const auto& [typed, message] : std::vector<std::pair<std::string, std::string>>{
             {"Springfield, Narnia", "No place in the atlas matches \"Springfield, Narnia\"."},
             {std::string(201, 'x'), "The place name is longer than 200 characters."},
             {", Italy", "No place name was given."},
             {"Trento\t\x7F", "The place name must be text without control characters."}}) {
        p.boxes.boxes.clear();
        Type(*w, typed);
        PressEnter(*w);
        ASSERT_EQ(p.boxes.boxes.size(), 1u) << typed;
        EXPECT_EQ(p.boxes.boxes[0].text, message);
        EXPECT_EQ(p.boxes.boxes[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(p.boxes.boxes[0].title, "Birth place");
        // The place chosen before stays.
        EXPECT_EQ(w->birthPlace->zone, "Europe/Berlin");
        EXPECT_EQ(w->txbBirthZone.text, "Europe/Berlin");
    }

    p.boxes.boxes.clear();
    Type(*w, "  ");
    PressEnter(*w);
    EXPECT_TRUE(p.boxes.boxes.empty());
    EXPECT_FALSE(w->birthPlace);
    EXPECT_EQ(w->txbBirthPlace.toolTip, "");
    w->txbBirthPlace.keyDown(kKeyEnter, kShiftMask);  // only a plain Enter searches
    EXPECT_TRUE(p.boxes.boxes.empty());
}

TEST_F(BirthPlaceTest, HiddenWithTheBirthDataInWorldRuns) {
    w->ChooseOption(w->optWorld, w->optPersonal);
    EXPECT_FALSE(w->txbBirthPlace.visible);
    w->ChooseOption(w->optPersonal, w->optWorld);
    EXPECT_TRUE(w->txbBirthPlace.visible);
}

TEST_F(BirthPlaceTest, ThePlaceIsSavedAndComesBackWithoutTouchingTheOtherKeys) {
    Type(*w, "Springfield, Illinois");
    PressEnter(*w);
    w->txbBirthZone.text = "America/New_York";  // changed by hand after the place
    w->cmdSaveState.click();
    EXPECT_EQ(store.Value(kState, "BirthPlace"), "Springfield, Illinois, United States of America");
    EXPECT_EQ(store.Value(kState, "BirthLatitude"), "39.801720");
    EXPECT_EQ(store.Value(kState, "BirthLongitude"), "-89.643710");
    EXPECT_EQ(store.Value(kState, "BirthPlaceZone"), "America/Chicago");
    EXPECT_EQ(store.Value(kState, "BirthZone"), "America/New_York");
    EXPECT_EQ(store.writeOrder.back(), "StateSaved");

    auto next = Start();
    ASSERT_TRUE(next->birthPlace);
    EXPECT_EQ(next->txbBirthPlace.text, "Springfield, Illinois, United States of America");
    EXPECT_NEAR(next->birthPlace->latitude, 39.80172, 1e-6);
    EXPECT_NEAR(next->birthPlace->longitude, -89.64371, 1e-6);
    EXPECT_EQ(next->birthPlace->zone, "America/Chicago");
    EXPECT_EQ(next->txbBirthZone.text, "America/New_York");
    EXPECT_EQ(next->txbBirthPlace.toolTip,
              "Springfield, Illinois, United States of America: "
              "39.8017 N, 89.6437 W, America/Chicago");

    // No place chosen: the keys are written empty and nothing comes back.
    next->ForgetBirthPlace();
    next->cmdSaveState.click();
    EXPECT_EQ(store.Value(kState, "BirthPlace"), "");
    EXPECT_FALSE(Start()->birthPlace);
}

TEST_F(BirthPlaceTest, AStoredPlaceWithoutSoundCoordinatesIsForgotten) {
    for (const auto& [latitude, longitude] :
         std::vector<std::pair<std::string, std::string>>{{"", "11.1"},
                                                          {"46.1", "x"},
                                                          {"46.1N", "11.1"},
                                                          {"90.5", "11.1"},
                                                          {"46.1", "-180.01"},
                                                          {"nan", "11.1"},
                                                          {"46.1", "inf"},
                                                          {"1e999", "11.1"},
                                                          {std::string(5000, '9'), "11.1"}}) {
        StorePlace("Trento, Trentino-Alto Adige, Italy", latitude, longitude);
        auto next = Start();
        EXPECT_FALSE(next->birthPlace) << latitude << " " << longitude;
        EXPECT_EQ(next->txbBirthPlace.text, "");
        EXPECT_EQ(next->txbBirthPlace.toolTip, "");
    }
    StorePlace("", "46.1", "11.1");
    EXPECT_FALSE(Start()->birthPlace);
    StorePlace("Trento", "-90", "180");
    const auto edge = Start();
    ASSERT_TRUE(edge->birthPlace);
    EXPECT_EQ(edge->txbBirthPlace.toolTip, "Trento: 90.0000 S, 180.0000 E, Europe/Rome");
}

}  // namespace
}  // namespace zenthra
