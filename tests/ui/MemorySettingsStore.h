// A settings store in memory that can be told to fail the way a real one does: a key that
// cannot be created, a refused write, a batch lost to a full disk, an unreadable value.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/SettingsStore.h"

namespace zenthra::testing {

class MemorySettingsStore : public SettingsStore {
  public:
    StoreStatus CreateKey(const std::string& keyPath, bool& created) override {
        created = false;
        if (refuseKeys) {
            return kDenied;
        }
        created = !KeyExists(keyPath);
        keys[keyPath];
        return kDone;
    }

    StoreStatus WriteValue(const std::string& keyPath, const std::string& name,
                           const std::string& value) override {
        if (refuseWrites) {
            return kDenied;
        }
        writeOrder.push_back(name);
        (batching ? pending : keys)[keyPath][name] = value;
        return kDone;
    }

    bool KeyExists(const std::string& keyPath) override {
        return keys.contains(keyPath) || pending.contains(keyPath);
    }

    StoreRead ReadValue(const std::string& keyPath, const std::string& name,
                        std::string& value) override {
        const auto found = Value(keyPath, name);
        if (!found) {
            return StoreRead::Missing;
        }
        value = *found;
        return failReads ? StoreRead::Failed : StoreRead::Value;
    }

    void BeginBatch() override { batching = true; }

    StoreStatus EndBatch() override {
        batching = false;
        auto batch = std::move(pending);
        pending.clear();
        if (failBatches) {
            return {112, "There is not enough space on the disk."};
        }
        for (auto& [key, values] : batch) {
            for (auto& [name, value] : values) {
                keys[key][name] = value;
            }
        }
        return kDone;
    }

    std::optional<std::string> Value(const std::string& keyPath, const std::string& name) const {
        const auto key = keys.find(keyPath);
        if (key == keys.end() || !key->second.contains(name)) {
            return std::nullopt;
        }
        return key->second.at(name);
    }
    void Set(const std::string& keyPath, const std::string& name, const std::string& value) {
        keys[keyPath][name] = value;
    }
    void Erase(const std::string& keyPath, const std::string& name) { keys[keyPath].erase(name); }

    bool refuseKeys = false;
    bool refuseWrites = false;
    bool failBatches = false;
    bool failReads = false;
    std::vector<std::string> writeOrder;  // value names, as written

  private:
    using Keys = std::map<std::string, std::map<std::string, std::string>>;

    inline static const StoreStatus kDone{0, "The operation completed successfully."};
    inline static const StoreStatus kDenied{5, "Access is denied."};

    Keys keys;
    Keys pending;
    bool batching = false;
};

}  // namespace zenthra::testing
