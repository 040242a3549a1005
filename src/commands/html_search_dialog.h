// The HTML search dialog "ＨＴＭＬ検索" as the command sees it: the values it edits, its OK
// checks, and the dialog itself (the Qt one, or a scripted one in tests).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/global_find_checks.h"
#include "search/html_search_run.h"

namespace nelvix {

/// The fields of the dialog. Texts are Shift-JIS.
struct HtmlSearchValues {
    std::string pattern;          ///< "検索する文字列"
    std::string fileBox;          ///< "検索するﾌｧｲﾙ", as typed
    std::string currentDirectory; ///< native form in Shift-JIS, ending in '/'
    bool caseSensitive = false;
    bool regularExpression = false;
    bool widthSensitive = true;
    bool subdirectories = true;
    HtmlTarget target = HtmlTarget::String; ///< the group "対象"
    bool operator==(const HtmlSearchValues&) const = default;
};

/// The OK checks, string first, then the file box: a string of 81 bytes or more gives message
/// 59413, an empty one a beep for the target "文字列" only; a file box of 261 bytes or more
/// gives message 59401, an empty one a beep.
GlobalFindCheck CheckHtmlSearchValues(const HtmlSearchValues& values);

/// The string box and the case, regular-expression and width checks take part only in a
/// search for a string.
inline bool HtmlStringFieldsEnabled(HtmlTarget target) {
    return target == HtmlTarget::String;
}

class HtmlSearchDialog {
public:
    virtual ~HtmlSearchDialog() = default;
    /// Shows the dialog with `initial` and the global find's two histories (most recent
    /// first); nothing when the person cancels. The dialog runs CheckHtmlSearchValues before
    /// it closes.
    virtual std::optional<HtmlSearchValues> Ask(const HtmlSearchValues& initial,
                                                const std::vector<std::string>& patternHistory,
                                                const std::vector<std::string>& specHistory) = 0;
};

} // namespace nelvix
