// The open-file dialog's filter lists.
#include "commands/open_file_filters.h"

namespace nelvix {
namespace {

constexpr OpenFileFilters kFilters[] = {
    {"ﾃｷｽﾄ(*.txt)|*.txt|その他(*.log;*.ini)|*.log;*.ini|HTML(*.html;*.htm)|*.html;*.htm|"
     "すべてのﾌｧｲﾙ(*.*)|*.*||"},
    {"ｿｰｽ(*.c)|*.c|ﾍｯﾀﾞ(*.h)|*.h|ﾘｿｰｽ(*.rc)|*.rc|ｱｾﾝﾌﾞﾗ(*.asm;*.inc)|*.asm;*.inc|"
     "すべてのﾌｧｲﾙ(*.*)|*.*||"},
    {"ｿｰｽ(*.c;*.cpp)|*.c;*.cpp|ﾍｯﾀﾞ(*.h;*.hpp)|*.h;*.hpp|ﾘｿｰｽ(*.rc)|*.rc|"
     "ｱｾﾝﾌﾞﾗ(*.asm;*.inc)|*.asm;*.inc|すべてのﾌｧｲﾙ(*.*)|*.*||"},
};

/// The field up to the next '|' (or the end), and `rest` moved past it.
std::string_view NextField(std::string_view& rest) {
    const std::size_t bar = rest.find('|');
    const std::string_view field = rest.substr(0, bar);
    rest.remove_prefix(bar == std::string_view::npos ? rest.size() : bar + 1);
    return field;
}

} // namespace

OpenFileFilters OpenFileFiltersOf(int documentType) {
    if (documentType < 0 || static_cast<std::size_t>(documentType) >= std::size(kFilters))
        return kFilters[0];
    return kFilters[documentType];
}

std::vector<FileFilter> ParseFilterList(std::string_view filterList) {
    std::vector<FileFilter> filters;
    std::string_view rest = filterList;
    while (!rest.empty()) {
        const std::string_view name = NextField(rest);
        if (name.empty())
            break;
        const std::string_view patterns = NextField(rest);
        if (patterns.empty())
            break;
        filters.push_back({std::string(name), std::string(patterns)});
    }
    return filters;
}

} // namespace nelvix
