// The all-transits mode's own tables and the small conversions every step of it uses: local
// day values and Julian dates, the positions of one midnight, the aspect in orb, the slots of
// the transits still open, and the date texts of the reports.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "alltransits/AllTransitsRecord.h"
#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/Vocabulary.h"

namespace zenthra {

// Limits of the mode.
inline constexpr int16_t kAllTransitsFirstYear = 1600;
inline constexpr int16_t kAllTransitsLastYear = 2100;
inline constexpr AspectCode kAllTransitsAspects = 5;
inline constexpr int16_t kLargestAllTransitsOrb = 9;
inline constexpr int kMostAllTransits = 2000;
inline constexpr int32_t kLongestAllTransitsPeriod = 1240;
inline constexpr int kOpenTransitSlots = 100;

// The mode is tropical whatever zodiac the window's runs use.
inline constexpr Zodiac kAllTransitsZodiac = Zodiac::Tropical;

// The mode keeps its own turn, a few digits longer than the engine's.
inline constexpr double kAllTransitsTurn = 6.283185307179586;

// Transiting bodies are the Sun to Pluto; natal bodies add the Moon.
inline constexpr BodyCode kLastTransitingBody = kPluto;
inline constexpr BodyCode kLastNatalBody = kMoon;

// Indexed by code; index 0 is unused.
inline constexpr std::array<double, kAllTransitsAspects + 1> kAllTransitsAspectAngles = {
    0,
    0,
    kAllTransitsTurn * 0.5,
    kAllTransitsTurn * 0.25,
    kAllTransitsTurn * 120 / 360,
    kAllTransitsTurn * 60 / 360};

// English whatever the window's language: the reports are always English.
const std::string& AllTransitsBodyName(BodyCode body);
const std::string& AllTransitsAspectWord(AspectCode aspect);
const std::string& AllTransitsMonthAbbreviation(int month);

// One longitude per body code, index 0 unused; radians or the range signals.
using BodyLongitudes = std::array<double, kLastNatalBody + 1>;

// The tables of one computation: the open transits (slots 1 to 100, empty when free; index 0
// unused) and the finished ones in the order they ended.
struct AllTransitsTables {
    std::array<std::optional<AllTransitsTransit>, kOpenTransitSlots + 1> openTransits;
    std::vector<AllTransitsTransit> transits;
};

// Empties both tables.
void InitAllTransitsTables(AllTransitsTables& tables);

// A local day value (a JDN plus the fraction of the local day) as a Julian date in UT, and
// back; `minutes` east of Greenwich.
double LocalDayToUt(double value, int16_t minutes);
double UtToLocalDay(double date, int16_t minutes);

// Bodies 1 to 9, or 1 to 10 with the Moon, at an instant.
void FillLongitudes(double instant, BodyLongitudes& table, bool includeMoon, PlutoSource pluto);

// The first aspect 1 to 5 whose deviation is strictly below the orb, else 0.
AspectCode FirstAspectInOrb(double transiting, double natal, double orb);

// The deviation of two longitudes from an aspect of the mode.
double AllTransitsDeviation(double transiting, double natal, AspectCode aspect);

// The lowest empty slot, or 0 when every slot is taken.
int FreeOpenSlot(const AllTransitsTables& tables);

// Date styles of the reports.
inline constexpr int kReportMonthDayYear = 0;      // 3/7/2023
inline constexpr int kReportDayMonthYear = 1;      // 7.3.2023
inline constexpr int kReportYearMonthDay = 2;      // 2023-03-07
inline constexpr int kReportMonthNameDayYear = 3;  // Mar 7 2023

// Length of the time that ends every FormatReportInstant text.
inline constexpr size_t kInstantKeyLength = 5;

// "2023-01-15 14:30 GMT+1" followed by the time once more ("14:30"), which callers cut off
// for display and keep as the record's time field; `zoneText` is " GMT+1" or " CEST". With
// `boundary` the time is "24:00" and a "*" marks the period's edge:
// "2022-12-31 24:00 GMT+1*24:00". Unknown styles are style 0.
std::string FormatReportInstant(double value, int style, const std::string& zoneText,
                                bool boundary);

// The text without its last `count` characters (empty when shorter), and those characters
// (all of it when shorter). The texts of this mode are ASCII, so characters are bytes.
std::string WithoutLast(const std::string& text, size_t count);
std::string LastCharacters(const std::string& text, size_t count);

// "" for one, "s" otherwise.
std::string PluralSuffix(long n);

}  // namespace zenthra
