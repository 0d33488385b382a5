// Single text values of the saved state, read and written under the program's key
// "Software\Varnholt" of the per-user settings store, with the status texts that tell what
// the store did. The window calls these without reporting, so failures stay silent there.
#pragma once

#include <string>

#include "support/MessageBoxes.h"
#include "ui/SettingsStore.h"

namespace zenthra {

inline constexpr const char* kRegistryRoot = "Software\\Varnholt";

// Creates or opens the key path and writes the value. The status begins with "0" when the
// key could be created or opened, then says which, and ends with the store's words on the
// write ("0 New key created.  ..."); otherwise the store's error number and
// "Unable to create (or find) key.".
std::string WriteRegistryString(SettingsStore& root, const std::string& keyPath,
                                const std::string& name, const std::string& value);

// Reads a value into `value` without its trailing control characters. The status begins with
// "0" when a value (possibly empty) was read; "1 Key not found or is empty.",
// "2 Name not specified." and "3 Name not found." otherwise.
std::string ReadRegistryString(SettingsStore& root, const std::string& keyPath,
                               const std::string& name, std::string& value);

// Removes the characters with codes below 32 from the end of the text.
void StripTrailingControls(std::string& text);

class Registry {
  public:
    Registry(SettingsStore& store, MessageBoxes& boxes) : store(store), boxes(boxes) {}

    // Writes a value under kRegistryRoot + subKey; true when its key could be opened. With
    // `report`, a failure is shown in a message box.
    bool SaveRegistryValue(const std::string& subKey, const std::string& name,
                           const std::string& value, bool report);

    // Reads a value from kRegistryRoot + subKey. A value that cannot be read gives the
    // default (shown in a message box with `report`); an empty stored value is read as it is.
    bool RestoreRegistryValue(const std::string& subKey, const std::string& name,
                              std::string& value, bool report, const std::string& defaultValue);

    SettingsStore& Store() { return store; }

  private:
    SettingsStore& store;
    MessageBoxes& boxes;
};

}  // namespace zenthra
