// The settings store: locating it, the copy from the system directory, reads and writes.
#include "store/settings_store.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

#include "base/native_path.h"
#include "files/atomic_write.h"
#include "files/whole_file.h"
#include "store/program_home.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

constexpr const char* kDefaultSystemDirectory = NELVIX_SYSTEM_DIRECTORY;

std::string JoinPath(const std::string& directory, const char* name) {
    if (directory.empty() || directory.back() == '/')
        return directory + name;
    return directory + '/' + name;
}

} // namespace

std::string SystemSettingsDirectory() {
    const char* value = std::getenv("NELVIX_SYSCONFDIR");
    if (value != nullptr && *value != '\0')
        return value;
    return kDefaultSystemDirectory;
}

SettingsStore SettingsStore::Locate(ui::Platform& platform, const std::string& nativeHome,
                                    const std::string& nativeSystemDir) {
    if (nativeHome.empty())
        return SettingsStore(platform, {}, {});
    SettingsStore store(platform, nativeHome, JoinPath(nativeHome, kSettingsFileName));
    if (!nativeSystemDir.empty())
        CopySystemFileWhenMissing(platform, nativeHome, store.m_path,
                                  JoinPath(nativeSystemDir, kSettingsFileName));
    return store;
}

IniFile SettingsStore::Read() const {
    return ReadWhole().value_or(IniFile{});
}

std::optional<IniFile> SettingsStore::ReadWhole() const {
    if (m_path.empty())
        return IniFile{};
    struct stat info {};
    if (::stat(m_path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR))
        return IniFile{};
    const std::optional<ByteBlock> bytes = ReadWholeFile(*m_platform, NativePathToSjis(m_path));
    if (!bytes)
        return std::nullopt;
    return IniFile::Parse(
        std::string_view(reinterpret_cast<const char*>(bytes->begin()), bytes->size));
}

bool SettingsStore::Write(const IniFile& ini) const {
    if (m_path.empty() || !EnsureProgramHome(m_home))
        return false;
    const std::string bytes = ini.Serialize();
    return WriteFileAtomically(m_path, reinterpret_cast<const Byte*>(bytes.data()), bytes.size());
}

bool SettingsStore::Update(const std::function<void(IniFile&)>& change) {
    if (m_path.empty())
        return false;
    std::optional<IniFile> ini = ReadWhole();
    if (!ini) {
        ReportOnce(ui::kMsgSettingsNotSaved);
        return false;
    }
    change(*ini);
    if (!Write(*ini)) {
        ReportOnce(ui::kMsgFileWriteError);
        return false;
    }
    return true;
}

void SettingsStore::ReportOnce(int messageId) {
    if (m_failureReported)
        return;
    m_failureReported = true;
    ui::ShowMessage(*m_platform, messageId);
}

void SettingsStore::Load(Settings& settings) const {
    LoadSettings(Read(), settings);
}

bool SettingsStore::Save(const Settings& settings) {
    return Update([&settings](IniFile& ini) { SaveSettings(ini, settings); });
}

std::optional<WindowPlacement> SettingsStore::LoadWindowPlacement() const {
    return ReadWindowPlacement(Read());
}

bool SettingsStore::SaveWindowPlacement(const WindowPlacement& placement) {
    return Update([&placement](IniFile& ini) { WriteWindowPlacement(ini, placement); });
}

std::vector<std::string> SettingsStore::LoadRecentFiles() const {
    return ReadRecentFiles(Read());
}

bool SettingsStore::SaveRecentFiles(const std::vector<std::string>& sjisPaths) {
    return Update([&sjisPaths](IniFile& ini) { WriteRecentFiles(ini, sjisPaths); });
}

} // namespace nelvix
