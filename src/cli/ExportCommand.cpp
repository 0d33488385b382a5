#include "cli/ExportCommand.h"

#include <filesystem>

#include "cli/ConsoleFrontEnd.h"
#include "support/SafeFile.h"

namespace zenthra {

std::string ExportOutputProblem(const std::string& path) {
    std::error_code unused;
    if (path.empty()) {
        return "--output needs a file name";
    }
    if (std::filesystem::is_directory(path, unused)) {
        return "--output names a folder: " + path;
    }
    return "";
}

int WriteCommandOutput(const std::string& text, const std::optional<std::string>& output,
                       std::ostream& out, std::ostream& errors) {
    if (!output) {
        out << text << std::flush;
        return kExitDone;
    }
    if (const std::string failure = WriteWholeFile(*output, text); !failure.empty()) {
        errors << "zenthra-cli: Error writing to file " << *output << ": " << failure << "\n";
        return kExitRefused;
    }
    return kExitDone;
}

}  // namespace zenthra
