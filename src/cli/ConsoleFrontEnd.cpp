#include "cli/ConsoleFrontEnd.h"

#include "calendar/DatePr2.h"
#include "calendar/StrProc.h"
#include "calendar/Timezones.h"
#include "cli/ConsolePlatform.h"
#include "cli/ConsoleSignals.h"
#include "cli/ExportCommand.h"
#include "cli/PlacesCommand.h"
#include "cli/TimelineCommand.h"
#include "export/Exports.h"
#include "support/ProgramFolder.h"
#include "ui/FrmMain.h"

namespace zenthra {

namespace {

int IndexOf(const Control& list, const std::string& text) {
    for (size_t i = 0; i < list.list.size(); ++i) {
        if (list.list[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -2;
}

class FrontEnd {
  public:
    FrontEnd(const CliOptions& options, std::ostream& out, std::ostream& errors)
        : given(options),
          options(SourceOf(options)),
          out(out),
          errors(errors),
          platform(errors, ProgramDataFolder(), options.out.value_or("")),
          window(platform, std::nullopt) {}

    int Run() {
        // A timeline's tables are not printed: the picture is what was asked for.
        if (given.command != CliCommand::Timeline && PrintsPane()) {
            window.OnPaneAppend([this](std::string_view text) { out << text << std::flush; });
        }
        platform.onYield = [this] { StopWhenAsked(); };
        window.Form_Load();
        platform.quiet = true;
        const std::string problem = FillWindow();
        platform.quiet = false;
        if (!problem.empty()) {
            errorsOnUsage = problem;
            return kExitUsage;
        }
        return given.command == CliCommand::Timeline ? DrawTimeline() : PressAndGive();
    }

    std::string errorsOnUsage;

  private:
    // A signal, or output nobody can read any more, stops a run as its Stop button does, so
    // that its HTML file is completed and closed.
    void StopWhenAsked() {
        if ((CaughtStopSignal() != 0 || !out) && window.cmdStart.caption == "Stop") {
            window.cmdStart_Click();
        }
    }

    // Everything a user would set before pressing the button. The window's own checks run
    // again when the button is pressed, so boxes shown while filling in are not wanted.
    std::string FillWindow() {
        const bool world = options.world.value_or(false);
        if (options.command == CliCommand::AllTransits) {
            window.ChooseOption(window.optPersonal, window.optWorld);
        } else if (!options.world) {
            return "--world or --personal is needed";
        } else if (world) {
            window.ChooseOption(window.optWorld, window.optPersonal);
        }
        if (options.sidereal && options.command != CliCommand::AllTransits) {
            window.ChooseOption(window.optSidereal, window.optTropical);
        }
        if (world && options.varySecond) {
            return "a world show-all walks the first body list; --vary second is for personal runs";
        }
        for (int i = 0; i < 2; ++i) {
            const auto& body = i == 0 ? options.first : options.second;
            if (body && !Select(window.cboPlanet[i], *body)) {
                return *body + " is not in the list of " + (i == 0 ? "first" : "second") +
                       " bodies of " + (world ? "world" : "personal") + " runs";
            }
        }
        SetDate(0, options.start);
        SetDate(1, options.end);
        SetDate(2, options.birth);
        SetZone(0, options.tz.value_or(ZoneChoice{}));
        if (options.birthTz) {
            SetZone(1, *options.birthTz);
        }
        if (options.birthTime) {
            window.cboHour.SetListIndex((*options.birthTime)[0] + 1);
            window.cboMinute.SetListIndex((*options.birthTime)[1] / 5 + 1);
        }
        if (options.orbs) {
            for (int i = 0; i < 3; ++i) {
                window.cboOrbs[i].SetListIndex((*options.orbs)[i] - 1);
            }
        }
        if (options.birthPlace) {
            if (const std::string problem = ChooseBirthPlace(*options.birthPlace);
                !problem.empty()) {
                return problem;
            }
        }
        window.chkPrecisePluto.SetValue(options.precisePluto ? 1 : 0);
        window.chkEvents.SetValue(options.events ? 1 : 0);
        if (options.html) {
            window.chkOutputAsHTML.SetValue(1);
            window.outputFilePath = *options.html;
        }
        if (options.aspect) {
            window.cboSearchAspect.SetListIndex(*options.aspect - 1);
        }
        if (options.dateStyle) {
            window.txbAllTransitsDateFormat.text = *options.dateStyle;
        }
        return "";
    }

    // The atlas's first match, named on standard error since a name may fit several places.
    std::string ChooseBirthPlace(const std::string& name) {
        const PlaceSearch search = SearchPlaces(name);
        if (!search.error.empty()) {
            return "--birth-place: " + search.error;
        }
        window.ChooseBirthPlace(search.places.front());
        errors << "zenthra-cli: birth place: " << PlaceReport(search.places.front()) << "\n";
        return "";
    }

    bool Select(Control& list, const std::string& body) {
        const int index = IndexOf(list, body);
        if (index < 0) {
            return false;
        }
        list.SetListIndex(index);
        return true;
    }

    void SetDate(int group, const std::optional<DateFields>& date) {
        if (!date) {
            if (group < 2) {
                window.txbYear[group].text = window.txbMonth[group].text =
                    window.txbDay[group].text = "";
            }
            return;
        }
        window.txbYear[group].text = date->year;
        window.txbMonth[group].text = date->month;
        window.txbDay[group].text = date->day;
        window.txbYear_LostFocus(group);
    }

    // A list text wins over a zone of the same name, so a zone name comes through only when it
    // is none.
    void SetZone(int list, const ZoneChoice& zone) {
        (list == 0 ? window.txbResultZone : window.txbBirthZone).text = zone.zoneName;
        if (zone.abbreviation) {
            window.chkDisplayNATZabbr.SetValue(1);
        }
        window.cboTimezone[list].SetListIndex(zone.listIndex);
    }

    static CliOptions SourceOf(const CliOptions& options) {
        CliOptions source = options;
        if (options.command == CliCommand::Timeline) {
            source.command = options.source;
        }
        return source;
    }

    int DrawTimeline() {
        if (const std::string problem = TimelineOutputProblem(*given.output); !problem.empty()) {
            errorsOnUsage = problem;
            return kExitUsage;
        }
        if (const int status = Press(); status != kExitDone) {
            return status;
        }
        const int orb = given.orb.value_or(1);
        const auto source = options.command == CliCommand::AllTransits
                                ? window.TimelineOfAllTransits(orb)
                                : std::optional(window.TimelineOfLastRun());
        if (!source) {
            errors << "zenthra-cli: no transits of the orb " << orb << " were kept\n";
            return kExitRefused;
        }
        return WriteTimelineFile(*source, *given.output,
                                 given.width.value_or(kDefaultTimelineWidth), out, errors);
    }

    int Press() {
        switch (options.command) {
            case CliCommand::Run:
                return ExitStatus(window.cmdStart_Click());
            case CliCommand::ShowAll:
                return ExitStatus(window.cmdShowAll_Click(options.varySecond ? 1 : 0));
            case CliCommand::Search:
                return Search();
            case CliCommand::AllTransits:
                return ExitStatus(window.cmdShowAllTransits_Click());
            default:
                return kExitUsage;
        }
    }

    // A stop by a signal is told by RunConsole, which knows the signal.
    static int ExitStatus(const Outcome& outcome) {
        return outcome.IsDone() ? kExitDone : kExitRefused;
    }

    // The period is printed once it was found, also when listing it then failed.
    // The pane's text as it fills, when that is what was asked for on standard output.
    bool PrintsPane() const { return options.format == ExportFormat::Text && !options.output; }

    // Standard output carries an export: nothing else may go there.
    bool ExportsToOutput() const { return options.format != ExportFormat::Text && !options.output; }

    // Presses the button, then gives what it found in the asked format where it was asked.
    int PressAndGive() {
        if (options.output) {
            if (const std::string problem = ExportOutputProblem(*options.output);
                !problem.empty()) {
                errorsOnUsage = problem;
                return kExitUsage;
            }
        }
        const int status = Press();
        if (status != kExitDone || PrintsPane()) {
            return status;
        }
        return WriteCommandOutput(GivenText(), options.output, out, errors);
    }

    std::string GivenText() {
        if (options.format == ExportFormat::Text) {
            return window.Pane().Text();
        }
        if (options.command == CliCommand::AllTransits) {
            return ExportText(window.LastAllTransitsExport(), options.format).value_or("");
        }
        return ExportText(window.LastExport(), options.format,
                          {!options.noSpans, platform.CurrentUtcSeconds()})
            .value_or("");
    }

    int Search() {
        window.request.startJdn = 0;
        const Outcome outcome = window.cmdSearch_Click();
        if (window.request.startJdn <= 0) {
            return kExitRefused;
        }
        if (ExportsToOutput()) {
            return ExitStatus(outcome);
        }
        out << "Found: " << IsoDateText(window.request.startJdn) << " to "
            << IsoDateText(window.request.endJdn) << "\n";
        return ExitStatus(outcome);
    }

    // The command line, and the command that fills and presses the window: for a timeline,
    // the command of its source.
    const CliOptions& given;
    const CliOptions options;
    std::ostream& out;
    std::ostream& errors;
    ConsolePlatform platform;
    FrmMain window;
};

}  // namespace

int RunConsole(const CliOptions& options, std::ostream& out, std::ostream& errors) {
    FrontEnd frontEnd(options, out, errors);
    const int status = frontEnd.Run();
    if (status == kExitUsage) {
        errors << "zenthra-cli: " << frontEnd.errorsOnUsage << "\n"
               << "Try 'zenthra-cli --help'.\n";
    }
    const int signal = CaughtStopSignal();
    return signal != 0 ? kExitSignalled + signal : status;
}

int FlushedExit(int status, std::ostream& out, std::ostream& errors) {
    if (out.flush()) {
        return status;
    }
    errors << "zenthra-cli: standard output could not be written\n";
    return status == kExitDone ? kExitRefused : status;
}

}  // namespace zenthra
