#include "ephemeris/Vocabulary.h"

#include <array>

#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

int16_t languageSetting = 0;

namespace {

constexpr int16_t kGerman = 1;

using BodyTable = std::array<std::string, kBodyCount + 1>;
using AspectTable = std::array<std::string, kAspectCount + 1>;

// Index 0 holds nothing in every table.
const BodyTable kBodyNamesEnglish = {"",       "Sun",    "Mercury", "Venus", "Mars", "Jupiter",
                                     "Saturn", "Uranus", "Neptune", "Pluto", "Moon"};
const BodyTable kBodyNamesGerman = {"",       "Sonne",  "Merkur", "Venus", "Mars", "Jupiter",
                                    "Saturn", "Uranus", "Neptun", "Pluto", "Mond"};
const BodyTable kBodyAbbreviationsEnglish = {"",   "Su", "Me", "Ve", "Ma", "Ju",
                                             "Sa", "Ur", "Ne", "Pl", "Mo"};
const BodyTable kBodyAbbreviationsGerman = {"",   "So", "Me", "Ve", "Ma", "Ju",
                                            "Sa", "Ur", "Ne", "Pl", "Mo"};
const AspectTable kAspectNamesEnglish = {"",      "Conjunction", "Opposition",  "Square",
                                         "Trine", "Sextile",     "Semisextile", "Quincunx"};
const AspectTable kAspectNamesGerman = {"",       "Konjunktion", "Opposition", "Quadrat",
                                        "Trigon", "Sextil",      "Semisextil", "Quinkunx"};
const AspectTable kAspectAbbreviationsEnglish = {"",    "Con", "Opp", "Sqr",
                                                 "Tri", "Sxt", "Ssx", "Qui"};
const AspectTable kAspectAbbreviationsGerman = {"",    "Kon", "Opp", "Qua",
                                                "Tri", "Sxt", "Ssx", "Qui"};

BodyTable bodyNames = kBodyNamesEnglish;
BodyTable bodyAbbreviations = kBodyAbbreviationsEnglish;
AspectTable aspectNames = kAspectNamesEnglish;
AspectTable aspectAbbreviations = kAspectAbbreviationsEnglish;

const std::string kNoText;

template <typename Table>
const std::string& Lookup(const Table& table, int16_t code) {
    if (code < 1 || code >= static_cast<int16_t>(table.size())) {
        return kNoText;
    }
    return table[code];
}

}  // namespace

void InitVocabulary(const std::string& programFolder) {
    dataFolder = programFolder + "/";
    SetDataFolder(dataFolder);

    const bool german = languageSetting == kGerman;
    bodyNames = german ? kBodyNamesGerman : kBodyNamesEnglish;
    bodyAbbreviations = german ? kBodyAbbreviationsGerman : kBodyAbbreviationsEnglish;
    aspectNames = german ? kAspectNamesGerman : kAspectNamesEnglish;
    aspectAbbreviations = german ? kAspectAbbreviationsGerman : kAspectAbbreviationsEnglish;
}

const std::string& BodyName(BodyCode body) {
    return Lookup(bodyNames, body);
}
const std::string& BodyAbbreviation(BodyCode body) {
    return Lookup(bodyAbbreviations, body);
}
const std::string& AspectName(AspectCode aspect) {
    return Lookup(aspectNames, aspect);
}
const std::string& AspectAbbreviation(AspectCode aspect) {
    return Lookup(aspectAbbreviations, aspect);
}

}  // namespace zenthra
