// zenthra-cli: the window's runs, show-all, search and all-transits mode from a console, and
// the place atlas.
#include <csignal>
#include <iostream>

#include "calendar/Zone.h"
#include "cli/CliOptions.h"
#include "cli/ConsoleFrontEnd.h"
#include "cli/ConsoleSignals.h"
#include "cli/PlacesCommand.h"

namespace {

int Main(const zenthra::CliParse& parse) {
    using namespace zenthra;
    if (!parse.error.empty()) {
        std::cerr << "zenthra-cli: " << parse.error << "\nTry 'zenthra-cli --help'.\n";
        return kExitUsage;
    }
    if (parse.options.command == CliCommand::Help) {
        std::cout << UsageText();
        return kExitDone;
    }
    if (parse.options.command == CliCommand::Version) {
        std::cout << "zenthra-cli " ZENTHRA_VERSION "\n" << TzDatabaseText();
        return kExitDone;
    }
    if (parse.options.command == CliCommand::Places) {
        return ListPlaces(parse.options.placeQuery, std::cout, std::cerr);
    }
    // The all-transits mode has no Stop: a signal ends it at once.
    if (parse.options.command != CliCommand::AllTransits) {
        CatchStopSignals();
    }
    return RunConsole(parse.options, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zenthra;
    // A closed pipe is a failed write like any other, told once at the end.
    std::signal(SIGPIPE, SIG_IGN);
    const int status = Main(ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
    return FlushedExit(status, std::cout, std::cerr);
}
