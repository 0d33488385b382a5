// zenthra-cli: the window's runs, show-all, search and all-transits mode from a console.
#include <iostream>

#include "cli/CliOptions.h"
#include "cli/ConsoleFrontEnd.h"

int main(int argc, char** argv) {
    using namespace zenthra;
    const CliParse parse = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parse.error.empty()) {
        std::cerr << "zenthra-cli: " << parse.error << "\nTry 'zenthra-cli --help'.\n";
        return kExitUsage;
    }
    if (parse.options.command == CliCommand::Help) {
        std::cout << UsageText();
        return kExitDone;
    }
    if (parse.options.command == CliCommand::Version) {
        std::cout << "zenthra-cli 2.38\n";
        return kExitDone;
    }
    return RunConsole(parse.options, std::cout, std::cerr);
}
