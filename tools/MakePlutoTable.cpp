// Writes the Pluto table: Pluto's apparent geocentric longitude at 0h UT of every day from
// 1600-01-01 to 2100-01-01, rounded to the nearest arcminute, one encoded entry a line.
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "ephemeris/PlanetLongitude.h"
#include "ephemeris/PlutoTable.h"

namespace {

constexpr int32_t kArcminutesPerTurn = 21600;

bool WriteTable(std::ostream& out) {
    for (int32_t k = 0; k < zenthra::kPlutoEntryCount; ++k) {
        const double instant = zenthra::kMoonFirstJdn + k - 0.5;
        const auto longitude = zenthra::SwissApparentLongitude(SE_PLUTO, instant);
        if (!longitude) {
            std::cerr << "make_pluto_table: " << zenthra::EphemerisFault() << "\n";
            return false;
        }
        const auto arcminutes = static_cast<int32_t>(
            std::lround(*longitude / zenthra::kFullTurn * kArcminutesPerTurn) % kArcminutesPerTurn);
        out << zenthra::EncodePlutoEntry(k, arcminutes) << "\r\n";
    }
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_pluto_table OUTPUT\n";
        return 2;
    }
    const std::filesystem::path target = argv[1];
    const std::filesystem::path partial = target.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out || !WriteTable(out)) {
            std::filesystem::remove(partial);
            std::cerr << "make_pluto_table: cannot write " << target << "\n";
            return 1;
        }
    }
    std::filesystem::rename(partial, target);
    return 0;
}
