// The settings store: the INI file in the program home that keeps the settings between runs.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/ini_file.h"
#include "store/settings.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

inline constexpr const char* kSettingsFileName = "nelvix.ini";

/// `$NELVIX_SYSCONFDIR` when set and not empty, else the folder the build installs the system
/// settings store into (/etc/nelvix for the prefix /usr).
std::string SystemSettingsDirectory();

class SettingsStore {
public:
    /// The store `<home>/nelvix.ini` (native paths). When it does not exist and
    /// `<systemDir>/nelvix.ini` does, that file is copied to the store first (the home is
    /// created for it). A missing store, or a copy that failed, is no error: the keys then take
    /// their defaults and the store is created by the first write.
    static SettingsStore Locate(ui::Platform& platform, const std::string& nativeHome,
                                const std::string& nativeSystemDir);

    /// The native path of the store; empty when the home is empty.
    const std::string& Path() const { return m_path; }

    /// The store as it stands on disk; empty when it is missing or cannot be read.
    IniFile Read() const;
    /// The store read whole: empty when it is missing; nothing when it is there but cannot be
    /// read whole (longer than the reader takes, a read error, not a regular file).
    std::optional<IniFile> ReadWhole() const;
    /// Writes `ini` through a temporary file and a rename, creating the home when missing.
    /// False when that failed or there is no store path; an old file then stays whole.
    bool Write(const IniFile& ini) const;

    // Each of these re-reads the store as it stands, so that lines written meanwhile (by a
    // person or another instance) survive, then changes only its own keys and writes. A store
    // that cannot be read whole is never written: every line it holds would be lost. Either
    // failure is reported once in the store's life, however many keys were to be written.

    /// Every key of the record; defaults for a missing or unreadable store.
    void Load(Settings& settings) const;
    /// False when the store could not be written.
    bool Save(const Settings& settings);
    /// Nothing when no complete placement is stored.
    std::optional<WindowPlacement> LoadWindowPlacement() const;
    bool SaveWindowPlacement(const WindowPlacement& placement);
    /// Most recent first, Shift-JIS.
    std::vector<std::string> LoadRecentFiles() const;
    bool SaveRecentFiles(const std::vector<std::string>& sjisPaths);

private:
    SettingsStore(ui::Platform& platform, std::string home, std::string path)
        : m_platform(&platform), m_home(std::move(home)), m_path(std::move(path)) {}

    /// Re-reads the store, applies `change` and writes it; false after the report.
    bool Update(const std::function<void(IniFile&)>& change);
    void ReportOnce(int messageId);

    ui::Platform* m_platform;
    std::string m_home;
    std::string m_path;
    bool m_failureReported = false;
};

} // namespace nelvix
