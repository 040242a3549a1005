// The output of nelvix-cli find: each result line as the result document would receive it,
// gathered into large writes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/io/gathered_output.h"
#include "search/global_find_engine.h"

namespace nelvix::cli {

/// Writes result lines to `out` as they come, in Shift-JIS with CR LF or in UTF-8 with LF.
/// It is also the run's progress window: the name of the file being searched tells the UTF-8
/// form where the path of a result line ends, and a failed output stops the run.
class ResultPrinter final : public ResultSink, public SearchProgress {
public:
    ResultPrinter(std::ostream& out, bool utf8);

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
    std::string m_fileName;
};

/// The length of the path at the start of `resultLine` ("PATH(LINE): TEXT") whose file name is
/// `sjisFileName`: the first place where "/NAME(" is followed by digits and "): ". Zero when
/// there is none.
std::size_t ResultPathLength(std::string_view resultLine, std::string_view sjisFileName);

} // namespace nelvix::cli
