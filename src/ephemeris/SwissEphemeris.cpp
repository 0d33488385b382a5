#include "ephemeris/SwissEphemeris.h"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <vector>

#include "ephemeris/Angles.h"
#include "ephemeris/LongitudeCache.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

constexpr double kJ2000 = 2451545;

// Swiss Ephemeris numbers of the library bodies 1 to 9.
constexpr std::array<int32_t, 10> kSweBodyOfLibraryBody = {
    -1,         SE_MERCURY, SE_VENUS,  SE_SUN,     SE_MARS,
    SE_JUPITER, SE_SATURN,  SE_URANUS, SE_NEPTUNE, SE_PLUTO};

// Each data file of the library holds 600 years; a period probed every 100 years has every
// file it needs read.
constexpr double kProbeStepDays = 100 * 365.25;

std::string searchPath;
std::vector<std::string> searchFolders;
bool searchPathSet = false;
std::string fault;
// A data file in the search list that is not a regular file. The library would open it
// as it is: a named pipe blocks that open for good, so such a list is never handed on.
std::string irregularDataFile;

std::vector<std::string> SplitFolders(const std::string& path) {
    std::vector<std::string> folders;
    size_t from = 0;
    for (size_t colon; (colon = path.find(':', from)) != std::string::npos; from = colon + 1) {
        folders.push_back(path.substr(from, colon - from));
    }
    folders.push_back(path.substr(from));
    return folders;
}

std::string FindIrregularDataFile(const std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            if (entry->path().extension() != ".se1") {
                continue;
            }
            std::error_code statError;
            const fs::file_status status = fs::status(entry->path(), statError);
            // A link that leads nowhere is passed over by the library, as a missing file.
            if (status.type() != fs::file_type::not_found && !fs::is_regular_file(status)) {
                return entry->path().string();
            }
        }
    }
    return "";
}

// Where the library finds a data file: the first folder of the list that holds it.
std::string PathInSearchList(const std::string& name) {
    for (const std::string& folder : searchFolders) {
        const std::filesystem::path path = std::filesystem::path(folder) / name;
        std::error_code error;
        if (std::filesystem::exists(path, error)) {
            return path.string();
        }
    }
    return name;
}

// The library's report as one sentence naming the data file it concerns. Only the file's
// own name is taken from the report, since a folder's name may hold blanks.
std::string FaultOfReport(const std::string& report) {
    const size_t extension = report.find(".se1");
    if (extension == std::string::npos) {
        return report.empty() ? "The data files cannot serve this date." : report;
    }
    const size_t start = report.find_last_of("/ '", extension) + 1;
    const std::string name = report.substr(start, extension + 4 - start);
    if (report.find("not found") != std::string::npos) {
        return "The file " + name + " is missing.";
    }
    return "The file " + PathInSearchList(name) + " is damaged.";
}

// The library keeps its open files and buffers per thread. A thread that computes is handed
// the search list once, and its share is released when it ends, which the library would
// otherwise keep for good.
class ThreadShare {
  public:
    void Join() {
        if (!joined && irregularDataFile.empty()) {
            joined = true;
            swe_set_ephe_path(searchPath.c_str());
        }
    }
    ~ThreadShare() {
        if (joined) {
            swe_close();
        }
    }

  private:
    bool joined = false;
};

thread_local ThreadShare threadShare;

void EnsureSearchPath() {
    if (!searchPathSet) {
        SetEphemerisSearchPath(ZENTHRA_SYSTEM_EPHE_DIR);
    }
    threadShare.Join();
}

// The library is plain SSE code, which many x86 processors run several times slower while the
// upper halves of the AVX registers hold what 256-bit code left there without clearing them;
// the toolkit's time-zone lookups leave them so. Clearing them first costs next to nothing.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx"))) void ClearUpperHalvesWithAvx() {
    __builtin_ia32_vzeroupper();
}

void ClearUpperVectorHalves() {
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) {
        ClearUpperHalvesWithAvx();
    }
}
#else
void ClearUpperVectorHalves() {}
#endif

double OutOfRange(double instant) {
    return instant < kJ2000 ? kBeforeRange : kAfterRange;
}

double DegreesToRadians(double degrees) {
    const double radians = degrees / 360 * kFullTurn;
    return radians < kFullTurn ? radians : 0;
}

}  // namespace

void SetEphemerisSearchPath(const std::string& path) {
    searchPath = path;
    searchFolders = SplitFolders(path);
    irregularDataFile = FindIrregularDataFile(searchFolders);
    // Setting the path already reads the planet file.
    if (irregularDataFile.empty()) {
        swe_set_ephe_path(path.c_str());
    }
    searchPathSet = true;
    ForgetLongitudes();
}

void SetDatafilesFolder(const std::string& folder) {
    SetEphemerisSearchPath(folder + ":" + ZENTHRA_SYSTEM_EPHE_DIR);
}

std::optional<double> SwissApparentLongitude(int32_t sweBody, double instant) {
    EnsureSearchPath();
    if (!irregularDataFile.empty()) {
        fault = "The file " + irregularDataFile + " is not a regular file.";
        return std::nullopt;
    }
    std::array<double, 6> position{};
    std::array<char, AS_MAXCH> error{};
    ClearUpperVectorHalves();
    const int32_t flags =
        swe_calc_ut(instant, sweBody, SEFLG_SWIEPH, position.data(), error.data());
    // Without its Moon file the library keeps the flag and only says in its text that it fell
    // back to the coarser theory: any text is such a warning.
    if (flags < 0 || (flags & SEFLG_SWIEPH) == 0 || error[0] != '\0') {
        fault = FaultOfReport(error.data());
        // The library keeps what it computed from the fallback and would hand it out again,
        // for the same instant, without a word; it starts afresh from the files instead.
        swe_close();
        swe_set_ephe_path(searchPath.c_str());
        return std::nullopt;
    }
    return DegreesToRadians(position[0]);
}

std::optional<double> OutsideDays(double instant, int32_t firstJdn, int32_t lastJdn) {
    const double day = std::floor(instant + 0.5);
    if (!(day >= firstJdn)) {
        return kBeforeRange;
    }
    if (day > lastJdn) {
        return kAfterRange;
    }
    return std::nullopt;
}

double GcAppLongRvPlanet(int32_t libraryBody, double instant, int32_t /*year*/, double* second) {
    if (second != nullptr) {
        *second = 0;
    }
    if (libraryBody < 1 || libraryBody > kLibraryPluto) {
        return kBeforeRange;
    }
    if (const auto outside = OutsideDays(instant, kEphemerisFirstJdn, kEphemerisLastJdn)) {
        return *outside;
    }
    return SwissApparentLongitude(kSweBodyOfLibraryBody[libraryBody], instant)
        .value_or(OutOfRange(instant));
}

double MoonPos(double daysSinceJ2000) {
    const double instant = daysSinceJ2000 + kJ2000;
    return SwissApparentLongitude(SE_MOON, instant).value_or(OutOfRange(instant));
}

const std::string& EphemerisFault() {
    return fault;
}

std::string ProbeEphemerisData() {
    return ProbeEphemerisPeriod(kJ2000, kJ2000);
}

std::string ProbeEphemerisPeriod(double first, double last) {
    const double from = std::max(first, kEphemerisFirstJdn - 0.5);
    const double to = std::min(last, kEphemerisLastJdn - 0.5);
    if (!(from <= to)) {
        return "";
    }
    for (double t = from;; t += kProbeStepDays) {
        const double instant = std::min(t, to);
        for (int32_t body : {SE_SUN, SE_MOON}) {
            if (!SwissApparentLongitude(body, instant)) {
                return fault;
            }
        }
        if (instant >= to) {
            return "";
        }
    }
}

std::string EphemerisDataMessage() {
    EnsureSearchPath();
    std::string folders;
    for (const std::string& folder : searchFolders) {
        folders += (folders.empty() ? "" : ", ") + folder;
    }
    return std::string("The ephemeris data files cannot be read.") + kCrLf + fault + kCrLf +
           "Folders searched: " + folders + kCrLf +
           "Install the package swe-standard-data, and remove any damaged copy of its files "
           "from these folders.";
}

}  // namespace zenthra
