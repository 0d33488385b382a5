// The layers' check: every include of the layer folders against what each layer may include,
// run on trees planted for the purpose and on the project's own; and the configure-time check
// that no library links a layer above its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/Process.h"
#include "support/ScratchFiles.h"

namespace {

using zenthra::testing::ProcessResult;
using zenthra::testing::RunCommand;
using zenthra::testing::ScratchFolder;

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

ProcessResult CheckLayers(const std::string& sourceDir) {
    return RunCommand(Quoted(ZENTHRA_CMAKE) + " -DZENTHRA_SOURCE_DIR=" + Quoted(sourceDir) +
                      " -P " + Quoted(ZENTHRA_CHECK_LAYERS));
}

// The faults the check printed, without CMake's closing error.
std::string Faults(const ProcessResult& outcome) {
    return outcome.errors.substr(0, outcome.errors.find("CMake Error"));
}

// A folder "src" of layer folders with files planted in it.
class PlantedTree : public ::testing::Test {
  protected:
    void Plant(const std::string& file, const std::string& text) const {
        fs::create_directories((src / file).parent_path());
        std::ofstream(src / file) << text;
    }
    ProcessResult Check() const { return CheckLayers(src.string()); }

    ScratchFolder folder{"layers"};
    const fs::path src = folder.path / "src";
};

TEST_F(PlantedTree, IncludesOfLayersBelowAndOfTheLayersOwnHeadersPass) {
    Plant("support/SafeFile.h", "#include <sys/types.h>\n#include \"support/FileProc.h\"\n");
    Plant("calendar/DatePr2.cpp", "#include \"support/FileProc.h\"\n");
    Plant("engine/TransitScan.cpp",
          "#include \"engine/TransitScan.h\"\n"
          "\n"
          "#include <vector>\n"
          "// #include \"ui/FrmMain.h\" would not do\n"
          "#include \"ephemeris/PlanetLongitude.h\"\n"
          "  #  include \"calendar/DatePr2.h\"\n");
    Plant("ui/FrmMain.h", "#include \"alltransits/AllTransits.h\"\n#include \"report/Pane.h\"\n");
    Plant("store/QSettingsStore.cpp", "#include <QSettings>\n#include \"ui/SettingsStore.h\"\n");
    Plant("cli/CliOptions.cpp", "#include \"engine/TransitRequest.h\"\n");
    Plant("view/MainWindow.cpp", "#include <QtWidgets/QWidget>\n#include \"ui/FrmMain.h\"\n");
    Plant("app/ZenthraMain.cpp",
          "#include \"ScreenshotRun.h\"\n#include \"cli/ConsoleFrontEnd.h\"\n"
          "#include \"store/QSettingsStore.h\"\n#include \"view/MainWindow.h\"\n");
    const ProcessResult outcome = Check();
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(outcome.errors, "");
}

TEST_F(PlantedTree, AnUpwardIncludeFailsWithItsFileLineAndWhatTheLayerMayInclude) {
    Plant("engine/TransitScan.cpp",
          "#include \"engine/TransitScan.h\"\n"
          "\n"
          "#include \"ui/FrmMain.h\"\n");
    Plant("report/ReportWriter.h", "  #  include \"alltransits/AllTransits.h\"\n");
    Plant("support/FileProc.cpp", "#include <string>\n#include \"calendar/DatePr2.h\"\n");
    const ProcessResult outcome = Check();
    EXPECT_NE(outcome.status, 0);
    EXPECT_EQ(Faults(outcome),
              "src/engine/TransitScan.cpp:3: engine includes \"ui/FrmMain.h\", but engine may "
              "include only support, calendar, ephemeris, engine\n"
              "src/report/ReportWriter.h:1: report includes \"alltransits/AllTransits.h\", but "
              "report may include only support, calendar, ephemeris, engine, report\n"
              "src/support/FileProc.cpp:2: support includes \"calendar/DatePr2.h\", but support "
              "may include only support\n");
    EXPECT_NE(outcome.errors.find("Faults against the layers: 3"), std::string::npos);
}

TEST_F(PlantedTree, TheFrontEndsAndTheStoreDoNotIncludeOneAnother) {
    Plant("cli/ConsoleFrontEnd.cpp", "#include \"view/MainWindow.h\"\n");
    Plant("view/MainWindow.cpp",
          "#include \"store/QSettingsStore.h\"\n#include <cli/ConsoleFrontEnd.h>\n");
    const ProcessResult outcome = Check();
    EXPECT_NE(outcome.status, 0);
    const std::string viewMayInclude =
        ", but view may include only support, calendar, atlas, ephemeris, engine, report, "
        "alltransits, export, timeline, ui, render, view\n";
    EXPECT_EQ(Faults(outcome),
              "src/cli/ConsoleFrontEnd.cpp:1: cli includes \"view/MainWindow.h\", but cli may "
              "include only support, calendar, atlas, ephemeris, engine, report, alltransits, "
              "export, timeline, ui, render, cli\n"
              "src/view/MainWindow.cpp:1: view includes \"store/QSettingsStore.h\"" +
                  viewMayInclude +
                  "src/view/MainWindow.cpp:2: view includes \"cli/ConsoleFrontEnd.h\"" +
                  viewMayInclude);
}

TEST_F(PlantedTree, AnIncludeThatLeavesItsFolderFailsWhereverItLeads) {
    Plant("engine/Scan.h", "#include \"../ui/FrmMain.h\"\n#include \"engine/../engine/Scan.h\"\n");
    const ProcessResult outcome = Check();
    EXPECT_NE(outcome.status, 0);
    EXPECT_EQ(Faults(outcome),
              "src/engine/Scan.h:1: \"../ui/FrmMain.h\" leaves its folder: name a header as "
              "\"layer/Header.h\"\n"
              "src/engine/Scan.h:2: \"engine/../engine/Scan.h\" leaves its folder: name a header "
              "as \"layer/Header.h\"\n");
}

TEST_F(PlantedTree, QtInALayerThatIsToolkitFreeFails) {
    Plant("ui/Controls.h", "#include <QString>\n");
    Plant("engine/Scan.cpp", "#include <QtCore/QObject>\n");
    const ProcessResult outcome = Check();
    EXPECT_NE(outcome.status, 0);
    EXPECT_EQ(Faults(outcome),
              "src/engine/Scan.cpp:1: engine includes <QtCore/QObject>, but only calendar, render, "
              "store, view, app include Qt\n"
              "src/ui/Controls.h:1: ui includes <QString>, but only calendar, render, store, view, "
              "app include Qt\n");
}

TEST_F(PlantedTree, AFolderThatIsNotALayerFailsUntilItIsGivenItsPlace) {
    Plant("geometry/Aspects.h", "#include \"engine/Transit.h\"\n");
    const ProcessResult outcome = Check();
    EXPECT_NE(outcome.status, 0);
    EXPECT_EQ(Faults(outcome),
              "src/geometry: a folder that is not a layer (give it its place in "
              "cmake/ZenthraLayers.cmake)\n");
}

TEST(LayerCheck, WithoutAFolderToCheckItFails) {
    const std::string missing = "/nonexistent/zenthra-layers/src";
    const ProcessResult outcome = CheckLayers(missing);
    EXPECT_NE(outcome.status, 0);
    EXPECT_NE(outcome.errors.find("No folder of layers to check: '" + missing + "'"),
              std::string::npos)
        << outcome.errors;
}

TEST(LayerCheck, TheProjectsOwnSourcesKeepToTheLayers) {
    const ProcessResult outcome = CheckLayers(ZENTHRA_SOURCE_ROOT "/src");
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
}

// CMake's errors are wrapped to its own width; the words stay.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n';
        if (!blank || (!line.empty() && line.back() != ' ')) {
            line += blank ? ' ' : c;
        }
    }
    return line;
}

// A project of interface libraries named as the layers' are, configured with the check.
class LinkedLayers : public ::testing::Test {
  protected:
    ProcessResult Configure(const std::string& links) const {
        std::ofstream(folder.path / "CMakeLists.txt")
            << "cmake_minimum_required(VERSION 3.25)\n"
               "project(Layers LANGUAGES NONE)\n"
               "include(" ZENTHRA_SOURCE_ROOT
               "/cmake/ZenthraLayers.cmake)\n"
               "foreach(layer ui engine ephemeris)\n"
               "    add_library(zenthra_${layer} INTERFACE)\n"
               "endforeach()\n"
            << links << "zenthra_check_layer_links()\n";
        const std::string build = (folder.path / "build").string();
        return RunCommand(Quoted(ZENTHRA_CMAKE) + " -S " + Quoted(folder.path.string()) + " -B " +
                          Quoted(build));
    }

    ScratchFolder folder{"layer-links"};
};

TEST_F(LinkedLayers, ALibraryLinkingALayerBelowConfigures) {
    const ProcessResult outcome = Configure(
        "target_link_libraries(zenthra_ui INTERFACE zenthra_engine)\n"
        "target_link_libraries(zenthra_engine INTERFACE zenthra_ephemeris)\n");
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
}

TEST_F(LinkedLayers, ALibraryLinkingALayerAboveFailsToConfigure) {
    const ProcessResult outcome =
        Configure("target_link_libraries(zenthra_engine INTERFACE zenthra_ui)\n");
    EXPECT_NE(outcome.status, 0);
    EXPECT_NE(OneLine(outcome.errors)
                  .find("zenthra_engine links zenthra_ui, but engine may include only support, "
                        "calendar, ephemeris, engine"),
              std::string::npos)
        << outcome.errors;
}

}  // namespace
