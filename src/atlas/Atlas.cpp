#include "atlas/Atlas.h"

#include <geonames.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

#include "support/Trim.h"

namespace zenthra {

namespace {

struct GFree {
    void operator()(void* memory) const { g_free(memory); }
};
struct CityFree {
    void operator()(GeonamesCity* city) const { geonames_city_free(city); }
};
template <typename T>
using GOwned = std::unique_ptr<T, GFree>;

constexpr std::string_view kBlanks = " \t";

std::string Text(const gchar* text) {
    return text != nullptr ? text : "";
}

// Accents dropped and ASCII letters in lower case, so that "sao paulo" finds "São Paulo".
std::string Folded(const std::string& text) {
    const GOwned<gchar> ascii(g_str_to_ascii(text.c_str(), "C"));
    const GOwned<gchar> lower(g_ascii_strdown(ascii.get(), -1));
    return lower.get();
}

// Tabs pass as blanks; every other control character, and bytes that are not UTF-8, make the
// text unfit for a name.
bool IsPlainText(std::string_view text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr) &&
           std::none_of(text.begin(), text.end(), [](char c) {
               const auto code = static_cast<unsigned char>(c);
               return (code < 0x20 && c != '\t') || code == 0x7F;
           });
}

std::string QueryProblem(std::string_view query) {
    if (!IsPlainText(query)) {
        return "The place name must be text without control characters.";
    }
    if (static_cast<size_t>(g_utf8_strlen(query.data(), static_cast<gssize>(query.size()))) >
        kLongestPlaceQuery) {
        return "The place name is longer than " + std::to_string(kLongestPlaceQuery) +
               " characters.";
    }
    return "";
}

std::vector<std::string> CommaParts(std::string_view query) {
    std::vector<std::string> parts;
    size_t at = 0;
    for (size_t comma; (comma = query.find(',', at)) != std::string_view::npos; at = comma + 1) {
        parts.push_back(Trimmed(query.substr(at, comma - at), kBlanks));
    }
    parts.push_back(Trimmed(query.substr(at), kBlanks));
    return parts;
}

std::optional<Place> ReadCity(gint index) {
    const std::unique_ptr<GeonamesCity, CityFree> city(geonames_get_city(index));
    if (!city) {
        return std::nullopt;
    }
    GeonamesCity* c = city.get();
    return Place{Text(geonames_city_get_name(c)),    Text(geonames_city_get_state(c)),
                 Text(geonames_city_get_country(c)), Text(geonames_city_get_country_code(c)),
                 geonames_city_get_latitude(c),      geonames_city_get_longitude(c),
                 geonames_city_get_population(c),    Text(geonames_city_get_timezone(c))};
}

// The library's own matches of a name, in its order; `error` set when it failed.
std::vector<Place> QueryLibrary(const std::string& name, std::string& error) {
    guint count = 0;
    GError* failure = nullptr;
    const GOwned<gint> indexes(geonames_query_cities_sync(name.c_str(), GEONAMES_QUERY_DEFAULT,
                                                          &count, nullptr, &failure));
    if (failure != nullptr) {
        error = "The atlas could not be searched: " + Text(failure->message);
        g_error_free(failure);
        return {};
    }
    std::vector<Place> places;
    for (guint i = 0; i < count && indexes; ++i) {
        if (auto place = ReadCity(indexes.get()[i])) {
            places.push_back(std::move(*place));
        }
    }
    return places;
}

// The library tokenises accented letters apart from their plain forms, so a name typed with
// accents ("Zürich") is looked up again without them.
std::vector<Place> Candidates(const std::string& name, std::string& error) {
    auto places = QueryLibrary(name, error);
    if (places.empty() && error.empty() && !g_str_is_ascii(name.c_str())) {
        const GOwned<gchar> ascii(g_str_to_ascii(name.c_str(), "C"));
        places = QueryLibrary(ascii.get(), error);
    }
    return places;
}

// A part after the name is the region, the country or its code, or their first words
// ("United States" for "United States of America").
bool Narrows(const Place& place, const std::string& part) {
    const std::string wanted = Folded(part);
    const auto startsWithWords = [&wanted](const std::string& field) {
        const std::string folded = Folded(field);
        return folded.starts_with(wanted) &&
               (folded.size() == wanted.size() || folded[wanted.size()] == ' ');
    };
    return startsWithWords(place.region) || startsWithWords(place.country) ||
           Folded(place.countryCode) == wanted;
}

}  // namespace

PlaceSearch SearchPlaces(std::string_view query) {
    PlaceSearch search;
    search.error = QueryProblem(query);
    const std::vector<std::string> parts = CommaParts(query);
    if (search.error.empty() && parts[0].empty()) {
        search.error = "No place name was given.";
    }
    if (!search.error.empty()) {
        search.badQuery = true;
        return search;
    }
    for (Place& place : Candidates(parts[0], search.error)) {
        if (std::all_of(parts.begin() + 1, parts.end(), [&place](const std::string& part) {
                return part.empty() || Narrows(place, part);
            })) {
            search.places.push_back(std::move(place));
        }
    }
    const std::string name = Folded(parts[0]);
    std::stable_sort(search.places.begin(), search.places.end(),
                     [&name](const Place& a, const Place& b) {
                         const bool aNamed = Folded(a.name) == name;
                         const bool bNamed = Folded(b.name) == name;
                         return aNamed != bNamed ? aNamed : a.population > b.population;
                     });
    if (search.places.empty() && search.error.empty()) {
        search.error = "No place in the atlas matches \"" + Trimmed(query, kBlanks) + "\".";
    }
    return search;
}

std::string CoordinatesText(double latitude, double longitude) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f %c, %.4f %c", std::abs(latitude),
                  latitude < 0 ? 'S' : 'N', std::abs(longitude), longitude < 0 ? 'W' : 'E');
    return text;
}

std::string PlaceTitle(const Place& place) {
    std::string title = place.name;
    for (const std::string* part : {&place.region, &place.country}) {
        if (!part->empty()) {
            title += ", " + *part;
        }
    }
    return title;
}

}  // namespace zenthra
