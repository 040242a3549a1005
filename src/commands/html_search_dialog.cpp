// The HTML search dialog's OK checks: the global find's, with an empty string
// allowed where no string is searched for.
#include "commands/html_search_dialog.h"

namespace nelvix {
namespace {

/// Stands in for an empty string that a title or link search does not use.
inline constexpr char kUnusedPattern[] = " ";

} // namespace

GlobalFindCheck CheckHtmlSearchValues(const HtmlSearchValues& values) {
    ui::GlobalFindValues checked;
    checked.pattern = values.pattern;
    checked.fileBox = values.fileBox;
    if (checked.pattern.empty() && values.target != HtmlTarget::String)
        checked.pattern = kUnusedPattern;
    return CheckGlobalFindValues(checked);
}

} // namespace nelvix
