// The settings record: reading and writing the keys of the store, with defaults and clamps.
#include "store/settings.h"

#include <climits>
#include <cstddef>
#include <iterator>
#include <string_view>
#include <variant>

#include "base/sjis.h"

namespace nelvix {
namespace {

constexpr int kNoLow = INT_MIN;
constexpr int kNoHigh = INT_MAX;
constexpr int kBytesPerKiB = 1024;

using IntMember = int Settings::*;
using SwitchMember = bool Settings::*;
using ColorMember = std::uint32_t Settings::*;

/// One key of the "Settings" section. A value read outside low..high becomes the default;
/// the record holds the stored value times `scale`.
struct SettingKey {
    const char* name;
    std::variant<IntMember, SwitchMember, ColorMember> member;
    int defaultValue;
    int low;
    int high;
    int scale;
};

constexpr int kRgbBlue = static_cast<int>(Rgb(0, 0, 255));
constexpr int kRgbWhite = static_cast<int>(Rgb(255, 255, 255));

// clang-format off
const SettingKey kSettingKeys[] = {
    {"UserKeyWordWithDelimiter",    &Settings::userKeyWordWithDelimiter,    0,   kNoLow, kNoHigh, 1},
    {"ColorAreaComment",            &Settings::colorAreaComment,            0,   kNoLow, kNoHigh, 1},
    {"DisplayRulerBar",             &Settings::displayRulerBar,             1,   kNoLow, kNoHigh, 1},
    {"DisplayLineBar",              &Settings::displayLineBar,              1,   kNoLow, kNoHigh, 1},
    {"RulerCursorColor",            &Settings::rulerCursorColor,            4,   1,      16,      1},
    {"RulerBackColor",              &Settings::rulerBackColor,              16,  1,      16,      1},
    {"InvokeGlobalFind",            &Settings::invokeGlobalFind,            0,   kNoLow, kNoHigh, 1},
    {"CopySelection",               &Settings::copySelection,               0,   kNoLow, kNoHigh, 1},
    {"RecordExtractOperation",      &Settings::recordExtractOperation,      0,   kNoLow, kNoHigh, 1},
    {"RecordGlobalFindOperation",   &Settings::recordGlobalFindOperation,   0,   kNoLow, kNoHigh, 1},
    {"ScrollLineCount",             &Settings::scrollLineCount,             3,   1,      10,      1},
    {"CopyToClipboardAfterExtract", &Settings::copyToClipboardAfterExtract, 0,   kNoLow, kNoHigh, 1},
    {"TitleViewLength",             &Settings::titleViewLength,             44,  10,     80,      1},
    {"LinkViewLength",              &Settings::linkViewLength,              44,  10,     80,      1},
    {"LinkJumpViewLength",          &Settings::linkJumpViewLength,          44,  10,     80,      1},
    {"RunType",                     &Settings::runType,                     0,   0,      1,       1},
    {"CodeDecision",                &Settings::codeDecision,                0,   0,      3,       1},
    {"DisplayTabBar",               &Settings::displayTabBar,               1,   kNoLow, kNoHigh, 1},
    {"ButtonStyleTabBar",           &Settings::buttonStyleTabBar,           0,   kNoLow, kNoHigh, 1},
    {"TabBarHeightAdjust",          &Settings::tabBarHeightAdjust,          0,   0,      10,      1},
    {"TabBarToTop",                 &Settings::tabBarToTop,                 1,   kNoLow, kNoHigh, 1},
    {"SubDirBufSizeKB",             &Settings::subDirBufBytes,              150, 10,     500,     kBytesPerKiB},
    {"MultiText",                   &Settings::multiText,                   0,   kNoLow, kNoHigh, 1},
    {"EnableSelFindByBox",          &Settings::enableSelFindByBox,          0,   kNoLow, kNoHigh, 1},
    {"FindNoneTextFile",            &Settings::findNoneTextFile,            0,   kNoLow, kNoHigh, 1},
    {"ColorFoundLine",              &Settings::colorFoundLine,              0,   kNoLow, kNoHigh, 1},
    {"PlusInvert",                  &Settings::plusInvert,                  0,   kNoLow, kNoHigh, 1},
    {"SeparatedPlacement",          &Settings::separatedPlacement,          0,   kNoLow, kNoHigh, 1},
    {"TagToUpper",                  &Settings::tagToUpper,                  1,   kNoLow, kNoHigh, 1},
    // Checked against the client height where it is used.
    {"UpperHeightPix",              &Settings::upperHeightPix,              0,   kNoLow, kNoHigh, 1},
    {"LeftMgnLM",                   &Settings::leftMgnLM,                   15,  0,      1000,    1},
    {"TopMgnLM",                    &Settings::topMgnLM,                    15,  0,      1000,    1},
    {"LineCursorColorref",          &Settings::lineCursorColorref,          kRgbBlue,  kNoLow, kNoHigh, 1},
    {"LineBackColorref",            &Settings::lineBackColorref,            kRgbWhite, kNoLow, kNoHigh, 1},
    {"FigureRuler",                 &Settings::figureRuler,                 1,   kNoLow, kNoHigh, 1},
    {"LineFigureColor",             &Settings::lineFigureColor,             0,   kNoLow, kNoHigh, 1},
    {"DisplayGlobalFindResult",     &Settings::displayGlobalFindResult,     1,   kNoLow, kNoHigh, 1},
};
// clang-format on

constexpr const char* kWindowPosKey = "WindowPos";
constexpr const char* kUserToolKeyPrefix = "UserTool";
constexpr const char* kRecentFileKeyPrefix = "File";
constexpr int kWindowPosNumbers = 10;

std::string NumberedKey(const char* prefix, int number) {
    return prefix + std::to_string(number);
}

void LoadKey(const IniFile& ini, const SettingKey& key, Settings& settings) {
    int value = ini.GetInt(kSettingsSection, key.name, key.defaultValue);
    if (value < key.low || value > key.high)
        value = key.defaultValue;
    if (const IntMember* member = std::get_if<IntMember>(&key.member))
        settings.** member = value * key.scale;
    else if (const SwitchMember* flag = std::get_if<SwitchMember>(&key.member))
        settings.** flag = value != 0;
    else
        settings.*std::get<ColorMember>(key.member) = static_cast<std::uint32_t>(value);
}

void SaveKey(IniFile& ini, const SettingKey& key, const Settings& settings) {
    if (const IntMember* member = std::get_if<IntMember>(&key.member))
        ini.SetInt(kSettingsSection, key.name, settings.**member / key.scale);
    else if (const SwitchMember* flag = std::get_if<SwitchMember>(&key.member))
        ini.SetInt(kSettingsSection, key.name, settings.**flag ? 1 : 0);
    else
        ini.SetUnsigned(kSettingsSection, key.name, settings.*std::get<ColorMember>(key.member));
}

/// Reads one "%d" or "%u" field at `text`: blanks, a sign, digits. Nothing when there are no
/// digits or the number does not fit `low`..`high`.
std::optional<long long> ReadField(std::string_view& text, long long low, long long high) {
    while (!text.empty() && IsBlank(static_cast<Byte>(text.front())))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && IsAsciiDigit(static_cast<Byte>(text[digits]))) {
        value = value * 10 + (text[digits] - '0');
        if (value > high - low) // beyond any 32-bit range; stops before overflow
            return std::nullopt;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    text.remove_prefix(digits);
    if (negative)
        value = -value;
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

int DerivePlacementMode(const Settings& settings) {
    if (!settings.separatedPlacement)
        return kPlacementNone;
    return settings.tagToUpper ? kPlacementLower : kPlacementUpper;
}

void LoadSettings(const IniFile& ini, Settings& settings) {
    for (const SettingKey& key : kSettingKeys)
        LoadKey(ini, key, settings);
    for (std::size_t slot = 0; slot < kUserToolSlots; ++slot) {
        std::optional<std::string> name = ini.GetString(
            kSettingsSection, NumberedKey(kUserToolKeyPrefix, static_cast<int>(slot) + 1));
        settings.userTools[slot] = name ? std::move(*name) : "";
    }
    settings.placementMode = DerivePlacementMode(settings);
}

void SaveSettings(IniFile& ini, const Settings& settings) {
    for (const SettingKey& key : kSettingKeys) {
        if (std::string_view(key.name) != "UserKeyWordWithDelimiter")
            SaveKey(ini, key, settings);
    }
    for (std::size_t slot = 0; slot < kUserToolSlots; ++slot) {
        const std::string key = NumberedKey(kUserToolKeyPrefix, static_cast<int>(slot) + 1);
        const std::string& name = settings.userTools[slot];
        // A name that cannot be stored must not leave an older one behind.
        if (name.empty() || !ini.SetString(kSettingsSection, key, name))
            ini.RemoveKey(kSettingsSection, key);
    }
}

std::optional<WindowPlacement> ReadWindowPlacement(const IniFile& ini) {
    const std::optional<std::string> stored = ini.GetString(kSettingsSection, kWindowPosKey);
    if (!stored)
        return std::nullopt;
    std::string_view text = *stored;
    long long numbers[kWindowPosNumbers] = {};
    for (int i = 0; i < kWindowPosNumbers; ++i) {
        if (i > 0) {
            if (!text.starts_with(','))
                return std::nullopt;
            text.remove_prefix(1);
        }
        const bool isUnsigned = i < 2;
        const std::optional<long long> number =
            isUnsigned ? ReadField(text, 0, UINT32_MAX) : ReadField(text, INT32_MIN, INT32_MAX);
        if (!number)
            return std::nullopt;
        numbers[i] = *number;
    }
    WindowPlacement placement;
    placement.flags = static_cast<std::uint32_t>(numbers[0]);
    placement.showState = static_cast<std::uint32_t>(numbers[1]);
    std::int32_t* fields[] = {&placement.minX,  &placement.minY,  &placement.maxX,
                              &placement.maxY,  &placement.left,  &placement.top,
                              &placement.right, &placement.bottom};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = static_cast<std::int32_t>(numbers[i + 2]);
    return placement;
}

void WriteWindowPlacement(IniFile& ini, const WindowPlacement& placement) {
    std::string text = std::to_string(placement.flags) + ',' + std::to_string(placement.showState);
    for (const std::int32_t number :
         {placement.minX, placement.minY, placement.maxX, placement.maxY, placement.left,
          placement.top, placement.right, placement.bottom})
        text += ',' + std::to_string(number);
    ini.SetString(kSettingsSection, kWindowPosKey, text);
}

std::vector<std::string> ReadRecentFiles(const IniFile& ini) {
    std::vector<std::string> paths;
    for (int number = 1; number <= kRecentFileCount; ++number) {
        std::optional<std::string> path =
            ini.GetString(kRecentFileSection, NumberedKey(kRecentFileKeyPrefix, number));
        if (path && !path->empty())
            paths.push_back(std::move(*path));
    }
    return paths;
}

void WriteRecentFiles(IniFile& ini, const std::vector<std::string>& sjisPaths) {
    int number = 1;
    for (const std::string& path : sjisPaths) {
        if (number > kRecentFileCount)
            break;
        if (!path.empty() &&
            ini.SetString(kRecentFileSection, NumberedKey(kRecentFileKeyPrefix, number), path))
            ++number;
    }
    for (; number <= kRecentFileCount; ++number)
        ini.RemoveKey(kRecentFileSection, NumberedKey(kRecentFileKeyPrefix, number));
}

} // namespace nelvix
