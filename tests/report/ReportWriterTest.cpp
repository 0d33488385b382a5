#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "engine/AspectGeometry.h"
#include "engine/ScanHarness.h"
#include "report/ReportWriter.h"
#include "report/TableLayout.h"
#include "support/FileContents.h"
#include "support/FullDisk.h"

namespace zenthra {
namespace {

using testing::Jdn;
using testing::ScanHarness;

using zenthra::testing::ReadFile;

bool CrLfLinesOnly(std::string text) {
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at, 2);
    }
    return text.find_first_of("\r\n") == std::string::npos;
}

// The file of a run: the head, the first `rows` transit rows, the closing line.
std::string ExpectedHtml(const TransitTable& table, const std::array<int16_t, 3>& orbs, int rows) {
    std::string html = HtmlTableHead(table.Cell(kTitleRow, kAspectColumn), orbs);
    for (int r = kFirstTransitRow; r < kFirstTransitRow + rows; ++r) {
        html += HtmlRowLayout(table.Row(r));
    }
    return html + "</table></center><p>\r\n";
}

class ReportWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("zenthra-report-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        table.SizeForPeriod(Jdn(2009, 1, 1), Jdn(2009, 12, 31));
        window.orbs = {8, 5, 2};
        writer.emplace(pane, table, flags, window, window.boxes);
        writer->SetOrbDegrees({8, 5, 2});
        for (int r = kFirstTransitRow; r < kFirstTransitRow + 100; ++r) {
            table.SetCell(r, kAspectColumn, "Square");
            table.SetCell(r, kEndOuterColumn, "2009-03-07r");
            table.SetCell(r, kMinimumColumn, "0°12'");
        }
    }
    void TearDown() override {
        writer.reset();
        std::filesystem::remove_all(folder);
    }

    void HtmlTo(const std::filesystem::path& path) {
        window.outputAsHtml = true;
        window.outputFilePath = path.string();
    }

    // A Mars-Jupiter run of 2009 (five one-row transits) with HTML output into `name`.
    void MarsJupiter(ScanHarness& h, const std::string& name) {
        h.World(kMars, kJupiter, Jdn(2009, 1, 1), Jdn(2009, 12, 31));
        h.window.outputAsHtml = true;
        h.window.outputFilePath = (folder / name).string();
    }

    std::filesystem::path folder;
    OutputPane pane;
    TransitTable table;
    RunFlags flags;
    testing::FakeRunWindow window;
    std::optional<ReportWriter> writer;
};

TEST_F(ReportWriterTest, PaneTakesRowsWhileItHoldsAtMost64000Characters) {
    const std::string row = TextRowLayout(table.Row(kFirstTransitRow));
    pane.SetText(std::string(63999, 'x') + "°");  // 64001 bytes
    writer->WriteOutputRow(kFirstTransitRow);
    EXPECT_EQ(pane.Text(), std::string(63999, 'x') + "°" + row);
    EXPECT_TRUE(window.boxes.boxes.empty());

    pane.SetText(std::string(64001, 'x'));
    writer->WriteOutputRow(kFirstTransitRow);
    writer->WriteOutputRow(kFirstTransitRow);
    ASSERT_EQ(window.boxes.boxes.size(), 2u);
    EXPECT_EQ(window.boxes.boxes[0].text, "Output textbox is full.");
    EXPECT_EQ(window.boxes.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(window.boxes.boxes[0].title, "Zenthra 2.38");
    EXPECT_EQ(pane.Text(), std::string(64001, 'x') + "Textbox is full -- Textbox is full -- ");
    EXPECT_TRUE(flags.stopRequested && flags.runAborted);

    // A console pane has no limit.
    flags = {};
    OutputPane console(std::nullopt);
    console.SetText(std::string(500000, 'x'));
    ReportWriter consoleWriter(console, table, flags, window, window.boxes);
    consoleWriter.WriteOutputRow(kFirstTransitRow);
    EXPECT_TRUE(console.Text().ends_with(row));
    EXPECT_FALSE(flags.stopRequested);
}

TEST_F(ReportWriterTest, EachRunReplacesTheFileWithItsCompleteTable) {
    ScanHarness h;
    MarsJupiter(h, "run.htm");
    h.Run();
    const std::string first = ReadFile(folder / "run.htm");
    EXPECT_EQ(first, ExpectedHtml(h.table, {10, 5, 2}, 5));
    EXPECT_NE(first.find("3&deg;16'"), std::string::npos);
    EXPECT_TRUE(CrLfLinesOnly(first));
    EXPECT_TRUE(CrLfLinesOnly(h.Pane()));

    // A run that finds nothing: natal Venus 30° ahead of Saturn for a month.
    const int32_t start = Jdn(2015, 3, 1);
    const double natal =
        PlanetLongitude(kSaturn, LocalMidnight(start, 0), Zodiac::Tropical) + kFullTurn / 12;
    h.Personal(kSaturn, kVenus, NormaliseAngle(natal), start, start + 30);
    h.Run();
    ASSERT_NE(h.Pane().find("No transits in this period."), std::string::npos) << h.Pane();
    EXPECT_EQ(ReadFile(folder / "run.htm"), ExpectedHtml(h.table, {10, 5, 2}, 0));
}

TEST_F(ReportWriterTest, FileIsLeftCompleteWhenARunEndsEarly) {
    {
        ScanHarness stopped;
        MarsJupiter(stopped, "stopped.htm");
        stopped.window.onYield = [&stopped](int day) {
            if (day == 100) {
                stopped.flags.stopRequested = true;
            }
        };
        stopped.Run();
        EXPECT_TRUE(stopped.Pane().ends_with("Stopped"));
        EXPECT_EQ(ReadFile(folder / "stopped.htm"), ExpectedHtml(stopped.table, {10, 5, 2}, 1));
    }
    {
        ScanHarness full;
        MarsJupiter(full, "full.htm");
        full.request.appendToOutput = true;
        full.pane.SetText(std::string(63500, 'x'));  // room for the header and one row
        full.Run();
        ASSERT_EQ(full.window.boxes.boxes.size(), 1u);
        EXPECT_EQ(full.window.boxes.boxes[0].text, "Output textbox is full.");
        EXPECT_EQ(ReadFile(folder / "full.htm"), ExpectedHtml(full.table, {10, 5, 2}, 1));
    }
    // The program quits during a run.
    HtmlTo(folder / "quit.htm");
    writer->WriteTableHeader("Title");
    writer->WriteOutputRow(kFirstTransitRow);
    writer.reset();
    EXPECT_EQ(ReadFile(folder / "quit.htm"), ExpectedHtml(table, {8, 5, 2}, 1));
    EXPECT_TRUE(window.boxes.boxes.empty());
}

TEST_F(ReportWriterTest, OpeningAndClosingOutOfTurnKeepsFilesComplete) {
    HtmlTo(folder / "first.htm");
    writer->CloseHtmlOutputFile();
    writer->WriteTableHeader("Title");
    HtmlTo(folder / "second.htm");
    EXPECT_TRUE(writer->OpenHtmlOutputFile());
    writer->CloseHtmlOutputFile();
    EXPECT_FALSE(writer->HtmlFileOpen());
    EXPECT_TRUE(window.boxes.boxes.empty());
    EXPECT_EQ(ReadFile(folder / "first.htm"), ExpectedHtml(table, {8, 5, 2}, 0));
    EXPECT_EQ(ReadFile(folder / "second.htm"), ExpectedHtml(table, {8, 5, 2}, 0));
}

TEST_F(ReportWriterTest, AnUnopenableFileIsReportedOnceAndTheRunGoesOnWithoutIt) {
    const std::string path = (folder / "missing" / "out.htm").string();
    HtmlTo(path);
    for (int run = 1; run <= 2; ++run) {
        writer->ResetHtmlState();
        flags.runAborted = false;
        writer->WriteTableHeader("Title");
        writer->WriteOutputRow(kFirstTransitRow);
        writer->WriteOutputRow(kFirstTransitRow + 1);
        writer->CloseHtmlOutput();
        // Once per run; the run counts as aborted, so a show-all ends and the console fails.
        ASSERT_EQ(window.boxes.boxes.size(), static_cast<size_t>(run));
        const auto& box = window.boxes.boxes.back();
        EXPECT_EQ(box.text, "Error when opening file " + path + ":\r\nNo such file or directory");
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        EXPECT_EQ(box.title, "Write output to file");
        EXPECT_TRUE(flags.runAborted);
        EXPECT_FALSE(flags.stopRequested);
        EXPECT_TRUE(pane.Text().ends_with(TextRowLayout(table.Row(kFirstTransitRow)) +
                                          TextRowLayout(table.Row(kFirstTransitRow + 1))));
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST_F(ReportWriterTest, AFullDiskKeepsTheEarlierFileWithOneMessage) {
    const std::filesystem::path path = folder / "out.htm";
    std::ofstream(path) << "earlier table";
    HtmlTo(path);
    // A head alone fails only at the close; a hundred rows fail while the run writes.
    for (int rows : {0, 100}) {
        writer->ResetHtmlState();
        flags.runAborted = false;
        {
            testing::FullDisk full;
            writer->WriteTableHeader("Title");
            for (int r = kFirstTransitRow; r < kFirstTransitRow + rows; ++r) {
                writer->WriteOutputRow(r);
            }
            writer->CloseHtmlOutput();
        }
        ASSERT_EQ(window.boxes.boxes.size(), 1u) << rows;
        EXPECT_EQ(window.boxes.boxes[0].text,
                  "Error writing to file " + path.string() + "\r\nNo space left on device");
        EXPECT_EQ(window.boxes.boxes[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(window.boxes.boxes[0].title, "Write output to file");
        EXPECT_TRUE(flags.runAborted);
        EXPECT_EQ(ReadFile(path), "earlier table");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                                std::filesystem::directory_iterator()),
                  1);
        window.boxes.boxes.clear();
    }
}

TEST_F(ReportWriterTest, AnInterruptedRunLeavesTheEarlierFile) {
    const std::filesystem::path path = folder / "run.htm";
    std::ofstream(path) << "earlier table";
    // The process ends in the middle of the run, as by a signal or a crash.
    EXPECT_EXIT(
        {
            ScanHarness h;
            MarsJupiter(h, "run.htm");
            h.window.onYield = [](int day) {
                if (day == 200) {
                    std::_Exit(3);
                }
            };
            h.Run();
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadFile(path), "earlier table");
}

TEST_F(ReportWriterTest, ASequenceWritesEveryTableIntoOneFile) {
    const std::filesystem::path path = folder / "all.htm";
    std::ofstream(path) << "earlier table";
    HtmlTo(path);
    writer->BeginHtmlSequence();
    std::string expected;
    for (int rows : {2, 0, 3}) {
        writer->ResetHtmlState();
        writer->WriteTableHeader("Title " + std::to_string(rows));
        for (int r = kFirstTransitRow; r < kFirstTransitRow + rows; ++r) {
            writer->WriteOutputRow(r);
        }
        writer->CloseHtmlOutput();
        writer->CloseHtmlOutput();  // the window's idle state and the scan both close
        expected += ExpectedHtml(table, {8, 5, 2}, rows);
        // Until the sequence ends the earlier file stays.
        EXPECT_EQ(ReadFile(path), "earlier table");
    }
    writer->EndHtmlSequence();
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_TRUE(window.boxes.boxes.empty());

    // A sequence whose runs were all refused leaves the file alone.
    writer->BeginHtmlSequence();
    writer->EndHtmlSequence();
    EXPECT_EQ(ReadFile(path), expected);
}

}  // namespace
}  // namespace zenthra
