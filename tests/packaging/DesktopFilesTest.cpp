// The files that put the programs on the desktop: manual pages in step with the programs'
// help and rendered without warnings, a desktop entry and metainfo that pass their
// validators, and the icon drawn at the theme's sizes.
#include <gtest/gtest.h>

#include <QImage>
#include <regex>
#include <set>
#include <string>

#include "support/Process.h"

namespace {

using zenthra::testing::ReadFile;
using zenthra::testing::RunCommand;

const std::string kManDir = std::string(ZENTHRA_BUILD_DIR) + "man/";

// Every match of the first group of `pattern`.
std::set<std::string> Matches(const std::string& text, const std::string& pattern) {
    const std::regex expression(pattern);
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), expression);
         it != std::sregex_iterator(); ++it) {
        found.insert((*it)[1]);
    }
    return found;
}

// Long options and one-letter options; Qt's one-dash words such as -platform are neither.
std::set<std::string> Options(const std::string& text) {
    return Matches(text, R"((?:^|[^\w-])(--[a-z](?:[a-z-]*[a-z])?|-[a-z])(?![\w-]))");
}

// A manual page's text with roff's escaped hyphens as plain ones.
std::string PageText(const std::string& page) {
    return std::regex_replace(ReadFile(kManDir + page), std::regex(R"(\\-)"), "-");
}

std::string Help(const char* program) {
    const auto help = RunCommand(std::string(program) + " --help");
    EXPECT_EQ(help.status, 0) << program;
    return help.out;
}

TEST(ManualPages, NameEveryOptionOfTheHelpAndNoOther) {
    const std::string cliHelp = Help(ZENTHRA_CLI);
    const std::string cliPage = PageText("zenthra-cli.1");
    EXPECT_EQ(Options(cliPage), Options(cliHelp));
    EXPECT_GE(Options(cliHelp).size(), 19u);

    const std::string commands = R"(zenthra-cli ([a-z][a-z-]*))";
    EXPECT_EQ(Matches(cliPage, commands), Matches(cliHelp, commands));
    EXPECT_EQ(Matches(cliHelp, commands).size(), 6u);

    const std::string windowHelp = Help("env -u DISPLAY " ZENTHRA_MAIN);
    EXPECT_EQ(Options(PageText("zenthra.1")), Options(windowHelp));
    EXPECT_EQ(Options(windowHelp), (std::set<std::string>{"-h", "--help", "-v", "--version"}));
}

TEST(ManualPages, NameTheSavedStateFile) {
    for (const char* page : {"zenthra.1", "zenthra-cli.1"}) {
        EXPECT_NE(PageText(page).find("$XDG_CONFIG_HOME/Varnholt/ZTA.ini"), std::string::npos)
            << page;
    }
}

TEST(ManualPages, RenderWithoutWarnings) {
    for (const char* page : {"zenthra.1", "zenthra-cli.1"}) {
        const auto render = RunCommand("MANWIDTH=80 man --warnings -l " + kManDir + page);
        EXPECT_EQ(render.status, 0) << page;
        EXPECT_EQ(render.errors, "") << page;
        EXPECT_NE(render.out.find("EXIT STATUS"), std::string::npos) << page;
    }
}

TEST(DesktopFiles, PassTheirValidators) {
    const auto entry = RunCommand("desktop-file-validate " ZENTHRA_DESKTOP_ENTRY);
    EXPECT_EQ(entry.status, 0) << entry.out << entry.errors;
    // Hints are allowed: the entry belongs both to Education and to Science.
    EXPECT_EQ(entry.out.find("error:"), std::string::npos) << entry.out;
    EXPECT_EQ(entry.out.find("warning:"), std::string::npos) << entry.out;

    const auto metainfo = RunCommand("appstreamcli validate --no-net " ZENTHRA_METAINFO);
    EXPECT_EQ(metainfo.status, 0) << metainfo.out << metainfo.errors;
}

TEST(DesktopFiles, IconIsDrawnAtTheThemesSizes) {
    for (const int size : {48, 256}) {
        const std::string side = std::to_string(size);
        const QImage icon(QString::fromStdString(std::string(ZENTHRA_BUILD_DIR) + "icons/hicolor/" +
                                                 side + "x" + side + "/apps/zenthra.png"));
        EXPECT_EQ(icon.width(), size);
        EXPECT_EQ(icon.height(), size);
        EXPECT_TRUE(icon.hasAlphaChannel()) << "the rounded corners are transparent";
    }
}

}  // namespace
