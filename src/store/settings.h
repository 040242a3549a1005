// The settings record: every key of the "Settings" section, the window placement, the recent
// files and the standard palette.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "record/command_table.h"
#include "store/ini_file.h"
#include "ui/colour.h"
#include "ui/window_placement.h"

namespace nelvix {

/// The main frame's placement, stored in "WindowPos" as "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d".
using WindowPlacement = ui::WindowPlacement;

inline constexpr int kRecentFileCount = 4;

inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kRecentFileSection = "Recent File List";

/// Placement modes of a new document window.
inline constexpr int kPlacementNone = 0;
inline constexpr int kPlacementUpper = 1;
inline constexpr int kPlacementLower = 2;

using ui::Rgb;
using ui::StandardPaletteColor;

/// The "Settings" section as the program uses it; a switch holds any nonzero stored number as
/// true and is written back as 1.
struct Settings {
    bool userKeyWordWithDelimiter = false;
    bool colorAreaComment = false;
    bool displayRulerBar = true;
    bool displayLineBar = true;
    int rulerCursorColor = 4;
    int rulerBackColor = 16;
    bool invokeGlobalFind = false;
    bool copySelection = false;
    bool recordExtractOperation = false;
    bool recordGlobalFindOperation = false;
    int scrollLineCount = 3;
    bool copyToClipboardAfterExtract = false;
    int titleViewLength = 44;
    int linkViewLength = 44;
    int linkJumpViewLength = 44;
    int runType = 0;
    int codeDecision = 0;
    bool displayTabBar = true;
    bool buttonStyleTabBar = false;
    int tabBarHeightAdjust = 0;
    bool tabBarToTop = true;
    int subDirBufBytes = 150 * 1024; ///< "SubDirBufSizeKB" × 1024
    bool multiText = false;
    bool enableSelFindByBox = false;
    bool findNoneTextFile = false;
    bool colorFoundLine = false;
    bool plusInvert = false;
    bool separatedPlacement = false;
    bool tagToUpper = true;
    int upperHeightPix = 0;
    int leftMgnLM = 15;
    int topMgnLM = 15;
    std::uint32_t lineCursorColorref = Rgb(0, 0, 255);
    std::uint32_t lineBackColorref = Rgb(255, 255, 255);
    bool figureRuler = true;
    std::uint32_t lineFigureColor = Rgb(0, 0, 0);
    bool displayGlobalFindResult = true;
    std::array<std::string, kUserToolSlots> userTools; ///< Shift-JIS names; empty = slot empty
    int placementMode = kPlacementNone;                ///< derived, not stored

    bool operator==(const Settings&) const = default;
};

/// 0 without separated placement; else the part opposite the tag window (2 lower when the tag
/// window is upper, 1 upper otherwise).
int DerivePlacementMode(const Settings& settings);

/// Reads every key, with its default when missing and its replacement when out of range, and
/// derives the placement mode.
void LoadSettings(const IniFile& ini, Settings& settings);
/// Writes every key but "UserKeyWordWithDelimiter", which only a person editing the store
/// changes. An empty user-tool slot, or one whose name cannot be stored, removes its key.
void SaveSettings(IniFile& ini, const Settings& settings);

/// Nothing unless "WindowPos" holds all ten numbers, each within its type.
std::optional<WindowPlacement> ReadWindowPlacement(const IniFile& ini);
void WriteWindowPlacement(IniFile& ini, const WindowPlacement& placement);

/// "File1".."File4" of "Recent File List", most recent first, as Shift-JIS; empty keys skipped.
std::vector<std::string> ReadRecentFiles(const IniFile& ini);
/// Stores the first four paths in order; the keys of missing entries are removed. A path that
/// cannot be stored (it holds a line break) is passed over.
void WriteRecentFiles(IniFile& ini, const std::vector<std::string>& sjisPaths);

} // namespace nelvix
