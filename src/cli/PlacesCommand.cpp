#include "cli/PlacesCommand.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "calendar/Utf8.h"
#include "cli/ConsoleFrontEnd.h"

namespace zenthra {

namespace {

constexpr size_t kColumns = 7;
using Row = std::array<std::string, kColumns>;

// Coordinates and population line up on their last digit.
constexpr std::array<bool, kColumns> kRightAligned = {false, false, false, true, true, false, true};

std::string Degrees(double degrees, char positive, char negative) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f %c", std::abs(degrees),
                  degrees < 0 ? negative : positive);
    return text;
}

Row RowOf(const Place& place) {
    return {place.name,
            place.region,
            place.country,
            Degrees(place.latitude, 'N', 'S'),
            Degrees(place.longitude, 'E', 'W'),
            place.zone,
            std::to_string(place.population)};
}

size_t Width(const std::string& text) {
    return SplitCharacters(text).size();
}

std::string Line(const Row& row, const std::array<size_t, kColumns>& widths) {
    std::string line;
    for (size_t c = 0; c < kColumns; ++c) {
        const std::string pad(widths[c] - Width(row[c]), ' ');
        const bool last = c + 1 == kColumns;
        line += kRightAligned[c] ? pad + row[c] : row[c] + (last ? "" : pad);
        line += last ? "\n" : "  ";
    }
    return line;
}

}  // namespace

std::string PlacesTable(const std::vector<Place>& places) {
    std::vector<Row> rows = {
        {"Place", "Region", "Country", "Latitude", "Longitude", "Zone", "Population"}};
    std::transform(places.begin(), places.end(), std::back_inserter(rows), RowOf);
    std::array<size_t, kColumns> widths{};
    for (const Row& row : rows) {
        for (size_t c = 0; c < kColumns; ++c) {
            widths[c] = std::max(widths[c], Width(row[c]));
        }
    }
    std::string table;
    for (const Row& row : rows) {
        table += Line(row, widths);
    }
    return table;
}

int ListPlaces(const std::string& query, std::ostream& out, std::ostream& errors) {
    const PlaceSearch search = SearchPlaces(query);
    if (!search.error.empty()) {
        errors << "zenthra-cli: " << search.error << "\n";
        if (search.badQuery) {
            errors << "Try 'zenthra-cli --help'.\n";
            return kExitUsage;
        }
        return kExitRefused;
    }
    out << PlacesTable(search.places);
    return kExitDone;
}

std::string PlaceReport(const Place& place) {
    return PlaceTitle(place) + " (" + CoordinatesText(place.latitude, place.longitude) + ", " +
           place.zone + ")";
}

}  // namespace zenthra
