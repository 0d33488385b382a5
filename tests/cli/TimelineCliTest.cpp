// zenthra-cli timeline: its options, and the pictures it draws without a display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "cli/CliOptions.h"
#include "support/FileContents.h"
#include "support/Process.h"

namespace zenthra {
namespace {

using testing::ReadFile;

const std::string kWorld2009 =
    "timeline --world --first Mars --second Jupiter --start 2009-01-01 --end 2009-12-31";

std::string ErrorOf(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return ParseCommandLine(words).error;
}

// Without a display, whatever platform the environment names.
testing::ProcessResult RunCli(const std::string& arguments) {
    return testing::RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb " +
                               std::string(ZENTHRA_CLI) + " " + arguments);
}

std::filesystem::path Temp(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("zenthra-timeline-cli-" + std::to_string(::getpid()) + "-" + name);
}

size_t Count(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    return static_cast<size_t>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

TEST(TimelineOptions, TakeTheSourcesOptionsAndItsOwn) {
    const auto parse = ParseCommandLine({"timeline", "--source", "all-transits", "--orb", "5",
                                         "--output", "map.PNG", "--width", "800", "--out", "kvr"});
    ASSERT_EQ(parse.error, "");
    EXPECT_EQ(parse.options.command, CliCommand::Timeline);
    EXPECT_EQ(parse.options.source, CliCommand::AllTransits);
    EXPECT_EQ(parse.options.orb, 5);
    EXPECT_EQ(parse.options.output, "map.PNG");
    EXPECT_EQ(parse.options.width, 800);
    EXPECT_EQ(ParseCommandLine({"timeline", "--output", "a.svg"}).options.source, CliCommand::Run);
}

TEST(TimelineOptions, BadValuesAreUsageErrors) {
    EXPECT_EQ(ErrorOf("timeline --source moon --output a.svg"),
              "bad value 'moon' for --source (run, show-all or all-transits)");
    EXPECT_EQ(ErrorOf("timeline --source search --output a.svg"),
              "bad value 'search' for --source (run, show-all or all-transits)");
    for (const std::string orb : {"2", "0", "15", "-1", "x", "01"}) {
        EXPECT_EQ(ErrorOf("timeline --source all-transits --output a.svg --orb " + orb),
                  "bad value '" + orb + "' for --orb (1, 3 or 5)")
            << orb;
    }
    for (const std::string width : {"0", "-5", "479", "16001", "99999999999", "12x", "1e3"}) {
        EXPECT_EQ(ErrorOf("timeline --output a.svg --width " + width),
                  "bad value '" + width + "' for --width (pixels, 480 to 16000)")
            << width;
    }
    for (const std::string output : {"a.jpg", "svg", ".png", "dir/.svg", "a.svg.txt"}) {
        EXPECT_EQ(ErrorOf("timeline --output " + output),
                  "bad value '" + output + "' for --output (a file name ending in .svg or .png)")
            << output;
    }
    EXPECT_EQ(ErrorOf("timeline --world"), "timeline needs --output FILE.svg or FILE.png");
    EXPECT_EQ(ErrorOf("timeline --output a.svg --width"), "--width needs a value");
}

TEST(TimelineOptions, OptionsTheSourceDoesNotReadAreRefused) {
    EXPECT_EQ(ErrorOf("timeline --output a.svg --orb 3"),
              "--orb is not used by timeline --source run");
    EXPECT_EQ(ErrorOf("timeline --source show-all --output a.svg --orb 1"),
              "--orb is not used by timeline --source show-all");
    EXPECT_EQ(ErrorOf("timeline --output a.svg --vary first"),
              "--vary is not used by timeline --source run");
    EXPECT_EQ(ErrorOf("timeline --source all-transits --output a.svg --world"),
              "--world is not used by timeline --source all-transits");
    EXPECT_EQ(ErrorOf("timeline --world --sidereal --output a.svg"),
              "--sidereal is not used by timeline --source run --world");
    EXPECT_EQ(ErrorOf("timeline --source show-all --world --first Mars --output a.svg"),
              "--first is not used by timeline --source show-all, which walks the whole first "
              "body list");
    EXPECT_EQ(ErrorOf("all-transits --width 800"), "--width is not used by all-transits");
    EXPECT_EQ(ErrorOf("show-all --world --source run"), "--source is not used by show-all");
}

TEST(TimelineCommand, DrawsARunAsSvgWithoutADisplay) {
    const auto svg = Temp("run.svg");
    const auto done = RunCli(kWorld2009 + " --output " + svg.string());
    ASSERT_EQ(done.status, 0) << done.errors;
    const std::string picture = ReadFile(svg);
    const size_t lanes = Count(picture, "class=\"lane aspect-");
    EXPECT_GE(lanes, 3u);
    EXPECT_EQ(done.out, "Timeline of " + std::to_string(lanes) + " lanes, 1200 x " +
                            std::regex_replace(
                                picture, std::regex("(?:.|\n)*?height=\"(\\d+)\"(?:.|\n)*"), "$1") +
                            " pixels, written to " + svg.string() + "\n");
    EXPECT_EQ(done.errors, "");
    EXPECT_EQ(Count(picture, "id=\"lane-0-band-0\""), 1u);
    EXPECT_GE(Count(picture, "class=\"marker exact\""), 1u);
    // The tables are not printed.
    EXPECT_EQ(done.out.find("Aspect"), std::string::npos);
    std::filesystem::remove(svg);
}

TEST(TimelineCommand, DrawsAShowAllAsPngOfTheWidthAsked) {
    const auto png = Temp("show-all.png");
    const auto done = RunCli(
        "timeline --source show-all --world --second Jupiter --start 2023-01-01 --end "
        "2023-12-31 --width 800 --output " +
        png.string());
    ASSERT_EQ(done.status, 0) << done.errors;
    const std::string picture = ReadFile(png);
    ASSERT_GT(picture.size(), 24u);
    EXPECT_EQ(picture.substr(1, 3), "PNG");
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(picture[i]); };
    // The header's width and height, big-endian.
    const unsigned width = byte(16) << 24 | byte(17) << 16 | byte(18) << 8 | byte(19);
    const unsigned height = byte(20) << 24 | byte(21) << 16 | byte(22) << 8 | byte(23);
    EXPECT_EQ(width, 800u);
    EXPECT_NE(done.out.find(", 800 x " + std::to_string(height) + " pixels"), std::string::npos)
        << done.out;
    std::filesystem::remove(png);
}

TEST(TimelineCommand, DrawsAnOrbOfTheAllTransitsMode) {
    const auto root = Temp("kvr");
    const auto svg = Temp("all.svg");
    const auto done = RunCli(
        "timeline --source all-transits --orb 3 --birth 1950-03-07 --birth-time 14:30 "
        "--birth-tz +1 --tz GMT+1:00 --start 2023-01-01 --end 2023-03-31 --out " +
        root.string() + " --output " + svg.string());
    ASSERT_EQ(done.status, 0) << done.errors;
    const std::string picture = ReadFile(svg);
    EXPECT_GE(Count(picture, "class=\"lane aspect-"), 20u);
    EXPECT_EQ(Count(picture, "orb-middle"), 0u);
    EXPECT_NE(picture.find("All transits, orb 3°, 2023-01-01 to 2023-03-31, GMT+1"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(root / "1950-03-07_2023-01-01_90d"));
    std::filesystem::remove_all(root);
    std::filesystem::remove(svg);
}

TEST(TimelineCommand, AFolderOrAnUnwritablePlaceIsToldAndNothingIsLeft) {
    const auto folder = Temp("folder.svg");
    std::filesystem::create_directory(folder);
    const auto usage = RunCli(kWorld2009 + " --output " + folder.string());
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.errors, "zenthra-cli: --output names a folder: " + folder.string() +
                                "\nTry 'zenthra-cli --help'.\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove(folder);

    const auto missing = Temp("no-such-folder") / "map.svg";
    const auto failed = RunCli(kWorld2009 + " --output " + missing.string());
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.errors, "zenthra-cli: Error writing to file " + missing.string() +
                                 ": No such file or directory\n");
    EXPECT_EQ(failed.out, "");

    const auto refused =
        RunCli("timeline --world --start 2009-01-01 --end 2009-01-02 --output " + missing.string());
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
}

// A copy of zenthra-cli in a folder of its own, without the PNG renderer installed beside it.
class PngRenderer : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(root / "bin");
        std::filesystem::copy_file(ZENTHRA_CLI, root / "bin" / "zenthra-cli");
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    testing::ProcessResult DrawPng() const {
        return testing::RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY " +
                                   (root / "bin" / "zenthra-cli").string() + " " + kWorld2009 +
                                   " --output " + png.string());
    }

    const std::filesystem::path root = Temp("copy");
    const std::filesystem::path module = root / "lib" / "zenthra" / "zenthra-png.so";
    const std::filesystem::path png = root / "drawn.png";
};

TEST_F(PngRenderer, AMissingModuleIsToldAndNothingIsWritten) {
    const auto done = DrawPng();
    EXPECT_EQ(done.status, 1);
    EXPECT_EQ(done.errors, "zenthra-cli: The PNG renderer " + module.string() +
                               " cannot be loaded: there is no such file.\n");
    EXPECT_EQ(done.out, "");
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(PngRenderer, AModuleThatIsNoLibraryIsToldWithTheLoadersReason) {
    std::filesystem::create_directories(module.parent_path());
    std::ofstream(module) << "not a library";
    const auto done = DrawPng();
    EXPECT_EQ(done.status, 1);
    const std::string told =
        "zenthra-cli: The PNG renderer " + module.string() + " cannot be loaded: ";
    EXPECT_EQ(done.errors.substr(0, told.size()), told) << done.errors;
    EXPECT_NE(done.errors.find("file too short"), std::string::npos) << done.errors;
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(PngRenderer, AnSvgNeedsNoModule) {
    const auto svg = root / "drawn.svg";
    const auto done = testing::RunCommand((root / "bin" / "zenthra-cli").string() + " " +
                                          kWorld2009 + " --output " + svg.string());
    EXPECT_EQ(done.status, 0) << done.errors;
    EXPECT_TRUE(std::filesystem::exists(svg));
}

// The console starts without Qt's GUI libraries: only the module needs them.
TEST(PngRendererLinks, TheConsoleNeedsQtCoreAlone) {
    const auto done = testing::RunCommand(std::string("readelf -d ") + ZENTHRA_CLI);
    ASSERT_EQ(done.status, 0) << done.errors;
    EXPECT_NE(done.out.find("[libQt6Core.so.6]"), std::string::npos) << done.out;
    for (const std::string library : {"libQt6Gui", "libQt6Svg", "libQt6Widgets"}) {
        EXPECT_EQ(done.out.find(library), std::string::npos) << library;
    }
}

}  // namespace
}  // namespace zenthra
