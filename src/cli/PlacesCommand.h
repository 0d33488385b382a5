// zenthra-cli places: the atlas's matches of a place name as a table.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "atlas/Atlas.h"

namespace zenthra {

// A heading line, then one line per place in the given order: name, region, country,
// latitude, longitude, IANA zone and population, in columns as wide as their longest entry
// and two spaces apart; the coordinates and the population right-aligned.
std::string PlacesTable(const std::vector<Place>& places);

// Prints the table of the places matching `query` and returns the exit status: done, refused
// when nothing matched or the atlas failed, a usage error for a query that cannot name a
// place; the reason goes to `errors`.
int ListPlaces(const std::string& query, std::ostream& out, std::ostream& errors);

// How the console names the place it took: "Berlin, Berlin, Germany (52.5244 N, 13.4105 E,
// Europe/Berlin)".
std::string PlaceReport(const Place& place);

}  // namespace zenthra
