#include "support/ProgramFolder.h"

#include <filesystem>

namespace zenthra {

std::string ProgramDataFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    const fs::path folder = error ? fs::current_path(error) : executable.parent_path();
    if (fs::exists(folder / "pluto.slx", error)) {
        return folder.string();
    }
    return (folder.parent_path() / "share" / "zenthra").string();
}

}  // namespace zenthra
