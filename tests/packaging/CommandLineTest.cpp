// The window program's command line: help and version without a display, and a refused line
// told word for word before any window or saved state is touched.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "calendar/Zone.h"
#include "support/Process.h"

namespace {

using zenthra::TzDatabaseText;
using zenthra::testing::RunCommand;

const std::string kHelp =
    "Usage: zenthra [options]\n"
    "Lists planetary transits within nested orbs, in a window.\n"
    "The window's saved state is kept in $XDG_CONFIG_HOME/Varnholt/ZTA.ini\n"
    "(~/.config/Varnholt/ZTA.ini). From a console: zenthra-cli. See zenthra(1).\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the program's version and exit.\n";

// No display of any kind, as on a console or over ssh.
std::string Headless(const std::string& arguments) {
    return std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") + ZENTHRA_MAIN +
           " " + arguments;
}

// On Qt's offscreen platform, as a new user in a folder of its own.
class OnADisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zenthra-user-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        home = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(home); }

    std::string Zenthra(const std::string& arguments) const {
        const std::string h = home.string();
        return "env QT_QPA_PLATFORM=offscreen HOME=" + h + " XDG_CONFIG_HOME=" + h +
               "/.config XDG_RUNTIME_DIR=" + h + " " + ZENTHRA_MAIN + " " + arguments;
    }

    std::filesystem::path home;
};

TEST(ZenthraCommandLine, HelpAndVersionNeedNoDisplay) {
    for (const char* option : {"--help", "-h"}) {
        const auto help = RunCommand(Headless(option));
        EXPECT_EQ(help.status, 0) << option;
        EXPECT_EQ(help.out, kHelp) << option;
        EXPECT_EQ(help.errors, "") << option;
    }
    for (const char* option : {"--version", "-v", "-platform xcb --version"}) {
        const auto version = RunCommand(Headless(option));
        EXPECT_EQ(version.status, 0) << option;
        EXPECT_EQ(version.out, "zenthra 2.38\n" + TzDatabaseText()) << option;
        EXPECT_EQ(version.errors, "") << option;
    }
}

TEST(ZenthraCommandLine, WithoutADisplaySaysSo) {
    const auto outcome = RunCommand(Headless(""));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.errors,
              "zenthra: no graphical display is available (neither DISPLAY nor WAYLAND_DISPLAY "
              "is set).\nStart Zenthra from a desktop session, or use zenthra-cli on a "
              "console.\n");
}

TEST_F(OnADisplay, RefusesUnknownOptionsAndArguments) {
    const std::pair<std::string, std::string> cases[] = {
        {"--bogus", "Unknown option 'bogus'."},
        {"-platform offscreen -x", "Unknown option 'x'."},
        {"chart.txt", "unexpected argument 'chart.txt'"},
        {"--screenshot", "Missing value after '--screenshot'."},
    };
    for (const auto& [arguments, error] : cases) {
        const auto outcome = RunCommand(Zenthra(arguments));
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_EQ(outcome.out, "") << arguments;
        EXPECT_EQ(outcome.errors, "zenthra: " + error + "\nTry 'zenthra --help'.\n") << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(home / ".config")) << "the saved state was touched";
}

}  // namespace
