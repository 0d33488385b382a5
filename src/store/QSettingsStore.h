// The saved state's store on the desktop: a per-user INI settings file (QSettings), organisation
// "Varnholt", application "ZTA". The key paths below "Software\Varnholt" become groups:
// "Software\Varnholt\ZTA\Year" is the group "ZTA/Year".
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/SettingsStore.h"

namespace zenthra {

class QSettingsStore final : public SettingsStore {
  public:
    // The user's own settings file, in the user's configuration folder.
    QSettingsStore();
    // A settings file at a path of one's choosing.
    explicit QSettingsStore(std::string iniPath);

    const std::string& FilePath() const { return path; }

    StoreStatus CreateKey(const std::string& keyPath, bool& created) override;
    StoreStatus WriteValue(const std::string& keyPath, const std::string& name,
                           const std::string& value) override;
    bool KeyExists(const std::string& keyPath) override;
    StoreRead ReadValue(const std::string& keyPath, const std::string& name,
                        std::string& value) override;
    void BeginBatch() override;
    StoreStatus EndBatch() override;

  private:
    // A settings key ("ZTA/Year/0") and its value.
    using Write = std::pair<std::string, std::string>;

    StoreStatus Commit(const std::vector<Write>& writes);
    bool PendingUnder(const std::string& group) const;

    std::string path;
    bool batching = false;
    std::vector<Write> pending;
};

}  // namespace zenthra
