#include "store/QSettingsStore.h"

#include <sys/stat.h>

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <string_view>

namespace zenthra {

namespace {

constexpr const char* kOrganisation = "Varnholt";
constexpr const char* kApplication = "ZTA";
constexpr std::string_view kRoot = "Software\\Varnholt";

const StoreStatus kDone{0, "The operation completed successfully."};
const StoreStatus kOutsideRoot{3, "The key lies outside the program's settings."};

StoreStatus StatusOf(QSettings::Status status) {
    switch (status) {
        case QSettings::NoError:
            return kDone;
        case QSettings::AccessError:
            return {1, "The settings file cannot be written."};
        case QSettings::FormatError:
            break;
    }
    return {2, "The settings file is malformed."};
}

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

// "Software\Varnholt\ZTA\Year" gives "ZTA/Year", the program's key itself the empty group;
// a path outside it gives none.
std::optional<std::string> GroupOf(const std::string& keyPath) {
    if (!keyPath.starts_with(kRoot) ||
        (keyPath.size() > kRoot.size() && keyPath[kRoot.size()] != '\\')) {
        return std::nullopt;
    }
    std::string group;
    size_t at = kRoot.size();
    while (at < keyPath.size()) {
        const size_t end = std::min(keyPath.find('\\', at + 1), keyPath.size());
        const std::string part = keyPath.substr(at + 1, end - at - 1);
        if (!part.empty()) {
            group += (group.empty() ? "" : "/") + part;
        }
        at = end;
    }
    return group;
}

std::string KeyOf(const std::string& group, const std::string& name) {
    return group.empty() ? name : group + "/" + name;
}

// A folder or a named pipe in place of the settings file is never handed to QSettings,
// whose reading of a pipe would wait for a writer for good.
bool IsNotRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

StoreStatus NotRegular(const std::string& path) {
    return {4, "The settings file " + path + " is not a regular file."};
}

// Each access opens the file afresh: a restore then sees what another copy of the program
// saved, and nothing reaches the disk except through a commit. None for a name that is not a
// regular file.
std::unique_ptr<QSettings> Open(const std::string& path) {
    if (IsNotRegularFile(path)) {
        return nullptr;
    }
    auto settings = std::make_unique<QSettings>(ToQ(path), QSettings::IniFormat);
    // sync() then replaces the file by renaming a completed temporary file over it, and fails
    // rather than writing in place.
    settings->setAtomicSyncRequired(true);
    return settings;
}

bool GroupHasEntries(QSettings& settings, const std::string& group) {
    settings.beginGroup(ToQ(group));
    const bool any = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
    settings.endGroup();
    return any;
}

// A value edited by hand as "a, b" reads back as a list; the user meant the text.
std::string TextOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(", ").toStdString();
    }
    return value.toString().toStdString();
}

std::string UserSettingsPath() {
    // A QSettings made for the user's scope reads its file at once, so a name there that is
    // not a regular file is taken as it is, and refused by every access.
    const std::string standard =
        (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
         kOrganisation + "/" + kApplication + ".ini")
            .toStdString();
    if (IsNotRegularFile(standard)) {
        return standard;
    }
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, kOrganisation,
                             kApplication);
    return settings.fileName().toStdString();
}

}  // namespace

QSettingsStore::QSettingsStore() : path(UserSettingsPath()) {}

QSettingsStore::QSettingsStore(std::string iniPath) : path(std::move(iniPath)) {}

StoreStatus QSettingsStore::CreateKey(const std::string& keyPath, bool& created) {
    created = false;
    const auto group = GroupOf(keyPath);
    if (!group) {
        return kOutsideRoot;
    }
    const auto settings = Open(path);
    if (!settings) {
        return NotRegular(path);
    }
    // This also creates the folder of a file that does not exist yet.
    if (!settings->isWritable()) {
        return StatusOf(QSettings::AccessError);
    }
    created = !GroupHasEntries(*settings, *group) && !PendingUnder(*group);
    return kDone;
}

StoreStatus QSettingsStore::WriteValue(const std::string& keyPath, const std::string& name,
                                       const std::string& value) {
    const auto group = GroupOf(keyPath);
    if (!group) {
        return kOutsideRoot;
    }
    Write write{KeyOf(*group, name), value};
    if (batching) {
        pending.push_back(std::move(write));
        return kDone;
    }
    return Commit({write});
}

bool QSettingsStore::KeyExists(const std::string& keyPath) {
    const auto group = GroupOf(keyPath);
    if (!group) {
        return false;
    }
    const auto settings = Open(path);
    return (settings && GroupHasEntries(*settings, *group)) || PendingUnder(*group);
}

StoreRead QSettingsStore::ReadValue(const std::string& keyPath, const std::string& name,
                                    std::string& value) {
    const auto group = GroupOf(keyPath);
    if (!group) {
        return StoreRead::Missing;
    }
    const auto settings = Open(path);
    const QString key = ToQ(KeyOf(*group, name));
    if (!settings || !settings->contains(key)) {
        return StoreRead::Missing;
    }
    value = TextOf(settings->value(key));
    return StoreRead::Value;
}

void QSettingsStore::BeginBatch() {
    batching = true;
}

StoreStatus QSettingsStore::EndBatch() {
    batching = false;
    const std::vector<Write> writes = std::move(pending);
    pending.clear();
    return writes.empty() ? kDone : Commit(writes);
}

// All writes go to the disk in one sync, which replaces the whole file at once.
StoreStatus QSettingsStore::Commit(const std::vector<Write>& writes) {
    const auto settings = Open(path);
    if (!settings) {
        return NotRegular(path);
    }
    for (const auto& [key, value] : writes) {
        settings->setValue(ToQ(key), ToQ(value));
    }
    settings->sync();
    return StatusOf(settings->status());
}

bool QSettingsStore::PendingUnder(const std::string& group) const {
    const std::string prefix = group.empty() ? "" : group + "/";
    for (const auto& [key, value] : pending) {
        if (key.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

}  // namespace zenthra
