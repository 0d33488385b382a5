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
std::array<double, kAspectCount + 1> aspectAngles{};

const std::string kNoText;

double DegreesToRadians(double degrees) {
    return degrees / 360 * kFullTurn;
}

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

    aspectAngles = {0,
                    0,
                    kHalfTurn,
                    1.5707963267948974,
                    DegreesToRadians(120),
                    DegreesToRadians(60),
                    DegreesToRadians(30),
                    DegreesToRadians(150)};

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

double AspectAngle(AspectCode aspect) {
    if (aspect < 1 || aspect > kAspectCount) {
        return 0;
    }
    return aspectAngles[aspect];
}

}  // namespace zenthra
