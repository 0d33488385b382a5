#include "atlas/Atlas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zenthra {
namespace {

// The atlas keeps four decimals of a degree.
constexpr double kCoordinateTolerance = 0.005;  // degrees

Place First(const PlaceSearch& search) {
    EXPECT_EQ(search.error, "");
    EXPECT_FALSE(search.places.empty());
    return search.places.empty() ? Place{} : search.places.front();
}

bool AllIn(const PlaceSearch& search, const std::string& region, const std::string& country) {
    return std::all_of(search.places.begin(), search.places.end(), [&](const Place& place) {
        return (region.empty() || place.region == region) && place.country == country;
    });
}

TEST(AtlasSearch, BerlinHasItsCoordinatesPopulationAndZone) {
    const Place berlin = First(SearchPlaces("Berlin"));
    EXPECT_EQ(berlin.name, "Berlin");
    EXPECT_EQ(berlin.country, "Germany");
    EXPECT_EQ(berlin.countryCode, "DE");
    EXPECT_NEAR(berlin.latitude, 52.52, kCoordinateTolerance);
    EXPECT_NEAR(berlin.longitude, 13.41, kCoordinateTolerance);
    EXPECT_EQ(berlin.zone, "Europe/Berlin");
    EXPECT_GT(berlin.population, 3000000u);
}

TEST(AtlasSearch, PartsAfterACommaNarrowByRegionCountryOrCode) {
    const PlaceSearch illinois = SearchPlaces("Springfield, Illinois");
    const Place springfield = First(illinois);
    EXPECT_EQ(PlaceTitle(springfield), "Springfield, Illinois, United States of America");
    EXPECT_NEAR(springfield.latitude, 39.80, kCoordinateTolerance);
    EXPECT_NEAR(springfield.longitude, -89.64, kCoordinateTolerance);
    EXPECT_EQ(springfield.zone, "America/Chicago");
    EXPECT_TRUE(AllIn(illinois, "Illinois", "United States of America"));

    const PlaceSearch italy = SearchPlaces("Trento, Italy");
    EXPECT_EQ(PlaceTitle(First(italy)), "Trento, Trentino-Alto Adige, Italy");
    EXPECT_EQ(First(italy).zone, "Europe/Rome");
    EXPECT_TRUE(AllIn(italy, "", "Italy"));

    EXPECT_EQ(PlaceTitle(First(SearchPlaces("paris, fr"))), "Paris, Île-de-France Region, France");
    EXPECT_EQ(PlaceTitle(First(SearchPlaces("Paris,Texas"))),
              "Paris, Texas, United States of America");
    // The first words of a country, and every further part narrowing again.
    EXPECT_EQ(First(SearchPlaces("Springfield, United States, Ohio")).region, "Ohio");
    EXPECT_EQ(First(SearchPlaces("Berlin, ")).country, "Germany");
}

TEST(AtlasSearch, TheNameAskedForFirstThenTheMostPopulous) {
    // Trenton, New Jersey is the larger town, but it is not called Trento.
    const PlaceSearch trento = SearchPlaces("Trento");
    ASSERT_GE(trento.places.size(), 3u);
    EXPECT_EQ(PlaceTitle(trento.places[0]), "Trento, Trentino-Alto Adige, Italy");
    EXPECT_EQ(trento.places[1].country, "Philippines");
    EXPECT_EQ(trento.places[2].name, "Trenton");

    const PlaceSearch springfield = SearchPlaces("Springfield");
    ASSERT_GE(springfield.places.size(), 5u);
    EXPECT_EQ(springfield.places[0].region, "Missouri");
    EXPECT_EQ(springfield.places[1].region, "Massachusetts");
    EXPECT_EQ(springfield.places[2].region, "Illinois");
    const auto named =
        std::partition_point(springfield.places.begin(), springfield.places.end(),
                             [](const Place& place) { return place.name == "Springfield"; });
    EXPECT_TRUE(
        std::is_sorted(springfield.places.begin(), named,
                       [](const Place& a, const Place& b) { return a.population > b.population; }));
    EXPECT_TRUE(std::is_sorted(named, springfield.places.end(), [](const Place& a, const Place& b) {
        return a.population > b.population;
    }));
    EXPECT_NE(named, springfield.places.end());
}

TEST(AtlasSearch, CaseAccentsAndBlanksDoNotMatter) {
    EXPECT_EQ(First(SearchPlaces("  BERLIN\t")).zone, "Europe/Berlin");
    EXPECT_EQ(First(SearchPlaces("sao paulo")).name, "São Paulo");
    EXPECT_EQ(First(SearchPlaces("São Paulo")).zone, "America/Sao_Paulo");
    EXPECT_EQ(First(SearchPlaces("Zürich")).zone, "Europe/Zurich");
    EXPECT_EQ(First(SearchPlaces("Kathmandu, Nepal")).zone, "Asia/Kathmandu");
}

TEST(AtlasBadInput, RefusedWithAMessageAndNoPlaces) {
    const auto error = [](std::string_view query) {
        const PlaceSearch search = SearchPlaces(query);
        EXPECT_TRUE(search.places.empty()) << query;
        EXPECT_TRUE(search.badQuery) << query;
        return search.error;
    };
    EXPECT_EQ(error(""), "No place name was given.");
    EXPECT_EQ(error(" \t "), "No place name was given.");
    EXPECT_EQ(error(", Italy"), "No place name was given.");
    EXPECT_EQ(error("Berlin\n"), "The place name must be text without control characters.");
    EXPECT_EQ(error(std::string("Ber\0lin", 7)),
              "The place name must be text without control characters.");
    EXPECT_EQ(error("Z\xFCrich"), "The place name must be text without control characters.");
    EXPECT_EQ(error("\xC3"), "The place name must be text without control characters.");
    EXPECT_EQ(error(std::string(201, 'a')), "The place name is longer than 200 characters.");
}

TEST(AtlasBadInput, NothingFoundIsToldWithTheQuery) {
    const auto error = [](std::string_view query) {
        const PlaceSearch search = SearchPlaces(query);
        EXPECT_FALSE(search.badQuery) << query;
        return search.error;
    };
    EXPECT_EQ(error("Xyzzyqx"), "No place in the atlas matches \"Xyzzyqx\".");
    EXPECT_EQ(error(" Köln "), "No place in the atlas matches \"Köln\".");
    EXPECT_EQ(error("Springfield, Narnia"),
              "No place in the atlas matches \"Springfield, Narnia\".");
    // A part is a whole word of a region or country: "Ital" is not "Italy".
    EXPECT_EQ(error("Trento, Ital"), "No place in the atlas matches \"Trento, Ital\".");
    EXPECT_EQ(error("東京"), "No place in the atlas matches \"東京\".");
    // Characters are counted, not bytes: 200 of two bytes each are still searched.
    std::string longest;
    for (int i = 0; i < 200; ++i) {
        longest += "é";
    }
    EXPECT_EQ(error(longest), "No place in the atlas matches \"" + longest + "\".");
}

TEST(AtlasTexts, CoordinatesNameTheirHemispheres) {
    EXPECT_EQ(CoordinatesText(52.5244, 13.4105), "52.5244 N, 13.4105 E");
    EXPECT_EQ(CoordinatesText(-23.5475, -46.6361), "23.5475 S, 46.6361 W");
    EXPECT_EQ(CoordinatesText(0, 0), "0.0000 N, 0.0000 E");
}

TEST(AtlasTexts, ATitleLeavesOutAnEmptyRegion) {
    Place place;
    place.name = "Monaco";
    place.country = "Monaco";
    EXPECT_EQ(PlaceTitle(place), "Monaco, Monaco");
    place.region = "Monte Carlo";
    EXPECT_EQ(PlaceTitle(place), "Monaco, Monte Carlo, Monaco");
}

}  // namespace
}  // namespace zenthra
