#include "ui/Registry.h"

#include <initializer_list>

#include "calendar/Utf8.h"
#include "support/FileProc.h"

namespace zenthra {

namespace {

// The store's description of an outcome is cut as the system's message texts were.
constexpr size_t kMessageLimit = 100;

std::string WithStoreWords(const std::string& status, const StoreStatus& outcome) {
    return status + "  " + std::string(FirstCharacters(outcome.text, kMessageLimit));
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += (joined.empty() ? "" : kCrLf) + line;
    }
    return joined;
}

}  // namespace

std::string WriteRegistryString(SettingsStore& root, const std::string& keyPath,
                                const std::string& name, const std::string& value) {
    bool created = false;
    const StoreStatus opened = root.CreateKey(keyPath, created);
    if (!opened.Done()) {
        return WithStoreWords(std::to_string(opened.code) + " Unable to create (or find) key.",
                              opened);
    }
    // Only the opening decides the leading "0"; a refused write shows in the store's words.
    const std::string status = created ? "0 New key created." : "0 Key already exists.";
    return WithStoreWords(status, root.WriteValue(keyPath, name, value));
}

std::string ReadRegistryString(SettingsStore& root, const std::string& keyPath,
                               const std::string& name, std::string& value) {
    if (keyPath.empty() || !root.KeyExists(keyPath)) {
        return "1 Key not found or is empty.";
    }
    if (name.empty()) {
        return "2 Name not specified.";
    }
    std::string read;
    const StoreRead outcome = root.ReadValue(keyPath, name, read);
    if (outcome == StoreRead::Missing) {
        return "3 Name not found.";
    }
    StripTrailingControls(read);
    value = read;
    if (value.empty()) {
        return "0 Empty value";
    }
    return outcome == StoreRead::Value ? "0 OK" : "0 ???";
}

void StripTrailingControls(std::string& text) {
    // Bytes of multi-byte characters are 128 and above, so only real controls go.
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 32) {
        text.pop_back();
    }
}

bool Registry::SaveRegistryValue(const std::string& subKey, const std::string& name,
                                 const std::string& value, bool report) {
    const std::string status = WriteRegistryString(store, kRegistryRoot + subKey, name, value);
    const bool success = status.starts_with('0');
    if (!success && report) {
        boxes.MsgBox(Lines({"Error saving to registry:", "strKey=" + subKey, "strName=" + name,
                            "strValue=" + value}),
                     MsgIcon::None, "");
    }
    return success;
}

bool Registry::RestoreRegistryValue(const std::string& subKey, const std::string& name,
                                    std::string& value, bool report,
                                    const std::string& defaultValue) {
    value.clear();
    const std::string status = ReadRegistryString(store, kRegistryRoot + subKey, name, value);
    const bool success = status.starts_with('0');
    if (!success) {
        if (report) {
            boxes.MsgBox(
                Lines({"Error restoring from registry:", "strKey=" + subKey, "strName=" + name,
                       "strValue=" + value, "strDefaultValueOnError=" + defaultValue}),
                MsgIcon::None, "");
        }
        value = defaultValue;
    }
    return success;
}

}  // namespace zenthra
