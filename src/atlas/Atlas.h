// The place atlas: towns and cities with their coordinates and IANA time zone, found by name.
// Its data ships with the system's GeoNames library, so a search needs no network.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zenthra {

struct Place {
    std::string name;
    std::string region;  // state, province, county ...; may be empty
    std::string country;
    std::string countryCode;  // ISO 3166 two letters, "DE"
    double latitude = 0;      // degrees, north positive
    double longitude = 0;     // degrees, east positive
    uint32_t population = 0;
    std::string zone;  // IANA name, such as "Europe/Berlin"
};

struct PlaceSearch {
    std::vector<Place> places;  // the best match first
    std::string error;          // why nothing was found; empty when something was
    bool badQuery = false;      // the query itself was refused, rather than matched by nothing
};

// Longer queries are refused rather than handed to the library.
inline constexpr size_t kLongestPlaceQuery = 200;  // characters

// Places named `query`: a name, optionally followed by a comma and a region, a country or its
// two-letter code ("Springfield, Illinois", "Trento, Italy", "Paris, FR"); each further part
// narrows the matches again. Places whose name is the one asked for come first, then those
// whose name only contains it; within each, the most populous first.
PlaceSearch SearchPlaces(std::string_view query);

// "52.5244 N, 13.4105 E": degrees to four decimals, about ten metres.
std::string CoordinatesText(double latitude, double longitude);

// "Springfield, Illinois, United States of America", without an empty region.
std::string PlaceTitle(const Place& place);

}  // namespace zenthra
