// Fuzzes the settings store's text: any bytes parse, every reader copes, a written file reads
// back line for line, and values set by the program come back as they were set.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp932_table.h"
#include "fuzz_check.h"
#include "store/ini_file.h"
#include "store/settings.h"

using nelvix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    nelvix::IniFile ini = nelvix::IniFile::Parse(bytes);

    nelvix::Settings settings;
    nelvix::LoadSettings(ini, settings);
    Check(settings.scrollLineCount >= 1 && settings.scrollLineCount <= 10);
    Check(settings.subDirBufBytes >= 10 * 1024 && settings.subDirBufBytes <= 500 * 1024);
    Check(settings.placementMode == nelvix::DerivePlacementMode(settings));
    const std::optional<nelvix::WindowPlacement> placement = nelvix::ReadWindowPlacement(ini);
    const std::vector<std::string> recent = nelvix::ReadRecentFiles(ini);
    Check(recent.size() <= static_cast<std::size_t>(nelvix::kRecentFileCount));

    const std::string written = ini.Serialize();
    const nelvix::IniFile reread = nelvix::IniFile::Parse(written);
    Check(reread.Lines() == ini.Lines());
    Check(reread.Serialize() == written);

    // Saving what was read and reading it again gives the same record and placement.
    nelvix::SaveSettings(ini, settings);
    if (placement)
        nelvix::WriteWindowPlacement(ini, *placement);
    const nelvix::IniFile saved = nelvix::IniFile::Parse(ini.Serialize());
    nelvix::Settings again;
    nelvix::LoadSettings(saved, again);
    again.userTools = settings.userTools; // names need not survive code page 932 both ways
    Check(again == settings);
    Check(nelvix::ReadWindowPlacement(saved) == placement);

    // The input's bytes as a value: stored, or refused with the file unchanged.
    const std::string before = ini.Serialize();
    if (ini.SetString("Fuzz", "Value", bytes)) {
        const nelvix::IniFile withValue = nelvix::IniFile::Parse(ini.Serialize());
        const std::optional<std::string> value = withValue.GetString("Fuzz", "Value");
        Check(value.has_value());
        // Only a value whose bytes are UTF-8 but not code page 932 text may come back changed.
        if (nelvix::IsAsciiText(bytes) || !nelvix::IsWellFormedUtf8(bytes))
            Check(*value == bytes);
    } else {
        Check(ini.Serialize() == before);
    }
    return 0;
}
