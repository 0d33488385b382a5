// The birth place from the atlas: completions while typing, the place's IANA zone for the
// birth time, and its coordinates shown in the field's tip and kept with the saved state.
#include <charconv>
#include <cmath>
#include <cstdio>

#include "atlas/Atlas.h"
#include "calendar/Utf8.h"
#include "support/Trim.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

// Shorter texts match too many places to be worth a search at every key.
constexpr size_t kFewestCharactersToComplete = 3;
constexpr size_t kMostCompletions = 12;
constexpr const char* kPlaceBoxTitle = "Birth place";

std::string StoredDegrees(double degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", degrees);
    return text;
}

// A stored coordinate as written by StoredDegrees; none for anything else.
std::optional<double> ReadDegrees(const std::string& text, double limit) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (text.empty() || failure != std::errc() || stop != end || !std::isfinite(value) ||
        std::abs(value) > limit) {
        return std::nullopt;
    }
    return value;
}

// "Berlin, Berlin, Germany: 52.5244 N, 13.4105 E, Europe/Berlin".
std::string PlaceTip(const Place& place) {
    return PlaceTitle(place) + ": " + CoordinatesText(place.latitude, place.longitude) +
           (place.zone.empty() ? "" : ", " + place.zone);
}

}  // namespace

void FrmMain::txbBirthPlace_Change() {
    txbBirthPlace.Clear();
    birthPlaceMatches.clear();
    const std::string typed = Trimmed(txbBirthPlace.text, " \t");
    if (SplitCharacters(typed).size() < kFewestCharactersToComplete) {
        return;
    }
    // Completions are offered quietly: a text that matches nothing yet simply offers none.
    PlaceSearch search = SearchPlaces(typed);
    if (search.places.size() > kMostCompletions) {
        search.places.resize(kMostCompletions);
    }
    birthPlaceMatches = std::move(search.places);
    for (const zenthra::Place& place : birthPlaceMatches) {
        txbBirthPlace.AddItem(PlaceTitle(place));
    }
}

void FrmMain::txbBirthPlace_Click() {
    const int chosen = txbBirthPlace.ListIndex();
    if (chosen >= 0 && chosen < static_cast<int>(birthPlaceMatches.size())) {
        ChooseBirthPlace(birthPlaceMatches[chosen]);
    }
}

// Enter takes the best match of what was typed; an empty field forgets the place.
void FrmMain::txbBirthPlace_KeyDown(int keyCode, int shift) {
    if (keyCode != kKeyEnter || shift != 0) {
        return;
    }
    const std::string typed = Trimmed(txbBirthPlace.text, " \t");
    if (typed.empty()) {
        ForgetBirthPlace();
        return;
    }
    if (birthPlace && typed == PlaceTitle(*birthPlace)) {
        return;
    }
    const PlaceSearch search = SearchPlaces(typed);
    if (!search.error.empty()) {
        platform.MsgBox(search.error, MsgIcon::Exclamation, kPlaceBoxTitle);
        return;
    }
    ChooseBirthPlace(search.places.front());
}

void FrmMain::ChooseBirthPlace(const zenthra::Place& place) {
    birthPlace = place;
    txbBirthPlace.text = PlaceTitle(place);
    txbBirthPlace.Clear();
    birthPlaceMatches.clear();
    txbBirthZone.text = place.zone;
    txbBirthPlace.toolTip = PlaceTip(place);
}

void FrmMain::ForgetBirthPlace() {
    birthPlace.reset();
    txbBirthPlace.text.clear();
    txbBirthPlace.Clear();
    birthPlaceMatches.clear();
    txbBirthPlace.toolTip.clear();
}

void FrmMain::SaveBirthPlace(const std::string& key) {
    const bool kept = birthPlace.has_value();
    SaveValue(key, "BirthPlace", kept ? PlaceTitle(*birthPlace) : "");
    SaveValue(key, "BirthLatitude", kept ? StoredDegrees(birthPlace->latitude) : "");
    SaveValue(key, "BirthLongitude", kept ? StoredDegrees(birthPlace->longitude) : "");
    SaveValue(key, "BirthPlaceZone", kept ? birthPlace->zone : "");
}

// A place comes back whole or not at all: a name without sound coordinates is forgotten.
// The birth zone itself comes back with the zone entries.
void FrmMain::RestoreBirthPlace(const std::string& key) {
    zenthra::Place place;
    place.name = RestoredText(key, "BirthPlace", "");
    const auto latitude = ReadDegrees(RestoredText(key, "BirthLatitude", ""), 90);
    const auto longitude = ReadDegrees(RestoredText(key, "BirthLongitude", ""), 180);
    place.zone = RestoredText(key, "BirthPlaceZone", "");
    ForgetBirthPlace();
    if (place.name.empty() || !latitude || !longitude) {
        return;
    }
    place.latitude = *latitude;
    place.longitude = *longitude;
    birthPlace = place;
    txbBirthPlace.text = place.name;
    txbBirthPlace.toolTip = PlaceTip(place);
}

}  // namespace zenthra
