#include "support/Process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zenthra::testing {

ProcessResult RunCommand(const std::string& command) {
    const auto errorsFile = std::filesystem::temp_directory_path() /
                            ("zenthra-test-errors-" + std::to_string(::getpid()));
    ProcessResult outcome;
    FILE* pipe = ::popen(("(" + command + ") 2>" + errorsFile.string()).c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        outcome.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.errors = ReadFile(errorsFile.string());
    std::filesystem::remove(errorsFile);
    return outcome;
}

}  // namespace zenthra::testing
