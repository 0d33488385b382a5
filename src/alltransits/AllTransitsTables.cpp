#include "alltransits/AllTransitsTables.h"

#include <cmath>
#include <cstdlib>

#include "calendar/DatePr2.h"
#include "engine/AspectGeometry.h"
#include "ephemeris/PlanetLongitude.h"

namespace zenthra {

namespace {

const std::array<std::string, kLastNatalBody + 1> kBodyNames = {
    "",       "Sun",    "Mercury", "Venus", "Mars", "Jupiter",
    "Saturn", "Uranus", "Neptune", "Pluto", "Moon"};

const std::array<std::string, kAllTransitsAspects + 1> kAspectWords = {
    "", "conjunct", "opposite", "square", "trine", "sextile"};

const std::array<std::string, 13> kMonthAbbreviations = {
    "", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const std::string kNoText;

template <typename Table>
const std::string& Lookup(const Table& table, int index) {
    return index >= 1 && index < static_cast<int>(table.size()) ? table[index] : kNoText;
}

constexpr double kMinutesPerDay = 1440;

std::string ReportDate(int32_t day, int style) {
    const GregorianDate date = JdnToDate(day);
    const std::string d = std::to_string(date.day);
    const std::string m = std::to_string(date.month);
    const std::string y = std::to_string(date.year);
    switch (style) {
        case kReportDayMonthYear:
            return d + "." + m + "." + y;
        case kReportYearMonthDay:
            return y + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day);
        case kReportMonthNameDayYear:
            return AllTransitsMonthAbbreviation(date.month) + " " + d + " " + y;
        default:
            return m + "/" + d + "/" + y;
    }
}

}  // namespace

const std::string& AllTransitsBodyName(BodyCode body) {
    return Lookup(kBodyNames, body);
}

const std::string& AllTransitsAspectWord(AspectCode aspect) {
    return Lookup(kAspectWords, aspect);
}

const std::string& AllTransitsMonthAbbreviation(int month) {
    return Lookup(kMonthAbbreviations, month);
}

void InitAllTransitsTables(AllTransitsTables& tables) {
    tables.openTransits.fill(std::nullopt);
    tables.transits.clear();
}

double LocalDayToUt(double value, int16_t minutes) {
    return value - minutes / kMinutesPerDay - 0.5;
}

double UtToLocalDay(double date, int16_t minutes) {
    return date + 0.5 + minutes / kMinutesPerDay;
}

void FillLongitudes(double instant, BodyLongitudes& table, bool includeMoon, PlutoSource pluto) {
    const BodyCode last = includeMoon ? kLastNatalBody : kLastTransitingBody;
    for (BodyCode body = kSun; body <= last; ++body) {
        table[body] = PlanetLongitude(body, instant, {kAllTransitsZodiac, pluto});
    }
}

double AllTransitsDeviation(double transiting, double natal, AspectCode aspect) {
    return std::abs(Separation(transiting, natal) - kAllTransitsAspectAngles[aspect]);
}

AspectCode FirstAspectInOrb(double transiting, double natal, double orb) {
    for (AspectCode a = 1; a <= kAllTransitsAspects; ++a) {
        if (AllTransitsDeviation(transiting, natal, a) < orb) {
            return a;
        }
    }
    return 0;
}

int FreeOpenSlot(const AllTransitsTables& tables) {
    for (int slot = 1; slot <= kOpenTransitSlots; ++slot) {
        if (!tables.openTransits[slot]) {
            return slot;
        }
    }
    return 0;
}

std::string FormatReportInstant(double value, int style, const std::string& zoneText,
                                bool boundary) {
    const double day = std::floor(value);
    const std::string time = boundary ? "24:00" : FormatTimeOfDay(value - day, true, ":");
    return ReportDate(static_cast<int32_t>(day), style) + " " + time + zoneText +
           (boundary ? "*" : "") + time;
}

std::string WithoutLast(const std::string& text, size_t count) {
    return text.substr(0, text.size() > count ? text.size() - count : 0);
}

std::string LastCharacters(const std::string& text, size_t count) {
    return text.substr(text.size() > count ? text.size() - count : 0);
}

std::string PluralSuffix(long n) {
    return n == 1 ? "" : "s";
}

}  // namespace zenthra
