// The output of nelvix-cli html: each line as the result document would receive it, gathered
// into large writes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/io/gathered_output.h"
#include "search/global_find_engine.h"
#include "search/html_search_run.h"

namespace nelvix::cli {

/// Writes the lines of an HTML search to `out` as they come, in Shift-JIS with CR LF or in UTF-8
/// with LF. It is also the run's progress window: a new file's name tells it that the next line
/// is that file's title line, whose path starts after the title column, so that the UTF-8 form
/// gives the path its native name; a failed output stops the run.
class HtmlPrinter final : public ResultSink, public SearchProgress {
public:
    HtmlPrinter(std::ostream& out, bool utf8, HtmlTarget target, const HtmlColumns& columns);

    bool Add(std::string_view line) override;
    void ShowFileName(std::string_view sjisNameAndExtension) override;
    void ShowHitCount(std::uint32_t) override {}
    bool StopRequested() override { return m_output.Failed(); }

    /// Writes what is gathered; false when any write failed.
    bool Flush() { return m_output.Flush(); }

private:
    void AppendUtf8(std::string_view line);

    GatheredOutput m_output;
    bool m_utf8;
    HtmlTarget m_target;
    HtmlColumns m_columns;
    bool m_titleLineNext = false;
    std::string m_fileName;
};

} // namespace nelvix::cli
