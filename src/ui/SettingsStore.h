// The per-user store that the saved state lives in: named text values under key paths such as
// "Software\Varnholt\ZTA\Year". The desktop keeps it in a settings file; tests keep it in
// memory. Every outcome carries the store's own number and words, which the Registry module
// turns into its status texts.
#pragma once

#include <string>

namespace zenthra {

// 0 when the operation was done; otherwise the store's error number. `text` describes it.
struct StoreStatus {
    int code = 0;
    std::string text;
    bool Done() const { return code == 0; }
};

enum class StoreRead {
    Value,    // the value was read
    Missing,  // the key has no value of that name
    Failed,   // the store could not tell; the value holds whatever could be read
};

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // Opens the key path, creating it when it does not exist yet; `created` tells which.
    virtual StoreStatus CreateKey(const std::string& keyPath, bool& created) = 0;

    // Writes a named value under a key path opened before.
    virtual StoreStatus WriteValue(const std::string& keyPath, const std::string& name,
                                   const std::string& value) = 0;

    // Whether the key path exists, with at least one value or key below it.
    virtual bool KeyExists(const std::string& keyPath) = 0;

    virtual StoreRead ReadValue(const std::string& keyPath, const std::string& name,
                                std::string& value) = 0;

    // The writes between BeginBatch and EndBatch become lasting together at EndBatch, or not
    // at all, so that an interrupted save never mixes old and new values. Outside a batch
    // every write lasts on its own.
    virtual void BeginBatch() = 0;
    virtual StoreStatus EndBatch() = 0;
};

// The store of a front end without saved state: nothing is found, nothing is kept.
class NoSettingsStore final : public SettingsStore {
  public:
    StoreStatus CreateKey(const std::string&, bool& created) override {
        created = false;
        return Refused();
    }
    StoreStatus WriteValue(const std::string&, const std::string&, const std::string&) override {
        return Refused();
    }
    bool KeyExists(const std::string&) override { return false; }
    StoreRead ReadValue(const std::string&, const std::string&, std::string&) override {
        return StoreRead::Missing;
    }
    void BeginBatch() override {}
    StoreStatus EndBatch() override { return {}; }

  private:
    static StoreStatus Refused() { return {1, "This program keeps no saved state."}; }
};

}  // namespace zenthra
