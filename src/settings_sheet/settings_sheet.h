// The settings sheet "設定" as the settings command sees it: the values its five pages edit, and
// the dialog that shows them (the Qt sheet, or a scripted one in tests).
#pragma once

#include <optional>
#include <vector>

#include "store/tool_entry.h"
#include "text/display_format.h"

namespace nelvix {

/// The fourteen settings of the common page, as the settings record holds them.
struct CommonSettings {
    bool invokeGlobalFind = false;
    bool copySelection = false;
    int scrollLineCount = 3;
    int runType = 0;
    int codeDecision = 0;
    bool displayTabBar = true;
    bool tabBarToTop = true;
    bool multiText = false;
    bool displayGlobalFindResult = true;
    int titleViewLength = 44;
    int linkViewLength = 44;
    int linkJumpViewLength = 44;
    bool colorFoundLine = false;
    bool separatedPlacement = false;
    bool operator==(const CommonSettings&) const = default;
};

/// Everything the sheet's pages edit.
struct SettingsSheetValues {
    CommonSettings common;
    /// The cabinet's display format; the format and colour pages edit theirs, the rest comes back
    /// as it went in.
    DisplayFormat format{};
    std::vector<ToolEntry> editors;
    std::vector<ToolEntry> browsers;
    bool operator==(const SettingsSheetValues&) const = default;
};

/// Page indexes of the sheet, in the order of its tabs.
inline constexpr int kSetCommonPage = 0;
inline constexpr int kSetFormatPage = 1;
inline constexpr int kSetColourPage = 2;
inline constexpr int kSetEditorPage = 3;
inline constexpr int kSetBrowserPage = 4;
inline constexpr int kSetPageCount = 5;

class SettingsSheet {
public:
    virtual ~SettingsSheet() = default;
    /// Shows the sheet modally, opened on `page`; on return `page` is the page that was active
    /// when it closed. The values after every page's checks passed on OK; nothing on cancel.
    virtual std::optional<SettingsSheetValues> Ask(const SettingsSheetValues& initial,
                                                   int& page) = 0;
};

} // namespace nelvix
