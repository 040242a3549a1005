// The HTML search over a file set: per file the lines that hold a string, the page's title, or
// its title and every link, written as result lines under a title line that is a tag.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "search/global_find_engine.h"

namespace nelvix {

/// What an HTML search lists; the numbers are those of the dialog's target buttons.
enum class HtmlTarget : int {
    String = 0, ///< "文字列"
    Title = 1,  ///< "ﾀｲﾄﾙ"
    Link = 2,   ///< "ﾘﾝｸ"
};

/// Blanks in front of a link line and of a matched line.
inline constexpr std::size_t kHtmlIndentBytes = 5;

/// The widths of the result columns: "TitleViewLength", "LinkViewLength",
/// "LinkJumpViewLength".
struct HtmlColumns {
    int title = 44;
    int linkText = 44;
    int linkTarget = 44;
};

/// The title line: the title fitted to its column, a blank, the path (its line breaks escaped,
/// as in a result line) and CR LF. The path then starts at column `columns.title` + 1, where
/// the tag reader looks for it.
std::string HtmlTitleLine(std::string_view sjisTitle, std::string_view sjisPath,
                          const HtmlColumns& columns);
/// Five blanks, the link text and the target fitted to their columns, each followed by a blank,
/// and CR LF.
std::string HtmlLinkLine(std::string_view sjisText, std::string_view sjisTarget,
                         const HtmlColumns& columns);

/// Lists `target` for every file of `sjisSpecification` (and, with the engine's subdirectory
/// option, of each subdirectory, listed in a list whose first allocation is `subdirBufferBytes`)
/// into `sink`;
/// `pattern` is searched with the engine's options for the target "文字列" only. `hits`
/// counts the lines written. Events run before each further line and file; "中断", the program
/// quitting or a sink that refuses a line stops the run.
GlobalFindCounts RunHtmlSearch(GlobalFindEngine& engine, HtmlTarget target,
                               std::string_view sjisSpecification, std::string_view pattern,
                               const HtmlColumns& columns, std::size_t subdirBufferBytes,
                               ResultSink& sink, SearchProgress& progress);

} // namespace nelvix
