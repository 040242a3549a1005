// The HTML search's run over a file set and the lines it writes.
#include "search/html_search_run.h"

#include <algorithm>
#include <optional>

#include "base/native_path.h"
#include "fileset/file_set_walk.h"
#include "search/html_scan.h"
#include "ui/platform.h"

namespace nelvix {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kIndent = "     ";
static_assert(kIndent.size() == kHtmlIndentBytes);

/// The files of one run, each listed for the run's target.
class HtmlLister {
public:
    HtmlLister(GlobalFindEngine& engine, HtmlTarget target, std::string_view pattern,
               const HtmlColumns& columns, ResultSink& sink, SearchProgress& progress)
        : m_engine(engine), m_environment(engine.Environment()), m_target(target),
          m_pattern(pattern), m_columns(columns), m_sink(sink), m_progress(progress),
          m_links(m_environment) {}

    /// False when the run must stop.
    bool ListFile(const std::string& sjisPath) {
        if (m_engine.PassesOver(sjisPath))
            return true;
        ++counts.filesSearched;
        m_progress.ShowFileName(FileNamePart(sjisPath));
        switch (m_target) {
        case HtmlTarget::Title:
            return ListTitle(sjisPath) && KeepGoing();
        case HtmlTarget::Link:
            return ListLinks(sjisPath) && KeepGoing();
        case HtmlTarget::String:
            return ListMatches(sjisPath) && KeepGoing();
        }
        return KeepGoing();
    }

    GlobalFindCounts counts;

private:
    bool ListTitle(const std::string& sjisPath) {
        const std::string title = ReadHtmlTitle(m_environment, sjisPath);
        return title.empty() || Write(HtmlTitleLine(title, sjisPath, m_columns));
    }

    bool ListLinks(const std::string& sjisPath) {
        std::optional<HtmlLink> link = m_links.ReadFirstLink(sjisPath);
        if (!link)
            return true;
        if (!Write(HtmlTitleLine(ReadHtmlTitle(m_environment, sjisPath), sjisPath, m_columns)))
            return Stop();
        for (; link; link = m_links.ReadNextLink())
            if (!KeepGoing() || !Write(HtmlLinkLine(link->text, link->target, m_columns)))
                return Stop();
        return true;
    }

    bool ListMatches(const std::string& sjisPath) {
        std::optional<std::string_view> match = m_engine.FindFirstInFile(sjisPath, m_pattern);
        if (!match)
            return true;
        // The engine's line is overwritten by its next search: it is copied out first. The
        // title is read only for a file that has a match; it is the same whenever it is read.
        std::string line = std::string(kIndent).append(*match);
        const std::string title = ReadHtmlTitle(m_environment, sjisPath);
        if (!Write(HtmlTitleLine(title, sjisPath, m_columns)))
            return Stop();
        for (;;) {
            if (!KeepGoing() || !Write(std::move(line)))
                return Stop();
            match = m_engine.FindNextInFile(m_pattern);
            if (!match)
                return true;
            line.assign(kIndent).append(*match);
        }
    }

    /// One line to the sink. A NUL byte would end the line early in a result document (it is
    /// appended as a C string), so it is written as a blank.
    bool Write(std::string line) {
        std::replace(line.begin(), line.end(), '\0', ' ');
        m_line = std::move(line);
        if (!m_sink.Add(m_line))
            return false;
        ++counts.hits;
        m_progress.ShowHitCount(counts.hits);
        return true;
    }

    bool KeepGoing() {
        return m_environment.platform.eventPump.PumpEvents() && !m_progress.StopRequested();
    }

    /// Ends the file early: the searched file is closed and the scanner's text released.
    bool Stop() {
        m_engine.EndFile();
        m_links.CloseLinks();
        return false;
    }

    GlobalFindEngine& m_engine;
    const EngineEnvironment& m_environment;
    HtmlTarget m_target;
    std::string_view m_pattern;
    const HtmlColumns& m_columns;
    ResultSink& m_sink;
    SearchProgress& m_progress;
    HtmlLinkScanner m_links;
    std::string m_line;
};

} // namespace

std::string HtmlTitleLine(std::string_view sjisTitle, std::string_view sjisPath,
                          const HtmlColumns& columns) {
    std::string line = FitColumn(sjisTitle, columns.title);
    line.append(1, ' ');
    AppendSjisPathForLine(line, sjisPath);
    line.append(kCrLf);
    return line;
}

std::string HtmlLinkLine(std::string_view sjisText, std::string_view sjisTarget,
                         const HtmlColumns& columns) {
    std::string line(kIndent);
    line.append(FitColumn(sjisText, columns.linkText)).append(1, ' ');
    line.append(FitColumn(sjisTarget, columns.linkTarget)).append(1, ' ');
    line.append(kCrLf);
    return line;
}

GlobalFindCounts RunHtmlSearch(GlobalFindEngine& engine, HtmlTarget target,
                               std::string_view sjisSpecification, std::string_view pattern,
                               const HtmlColumns& columns, std::size_t subdirBufferBytes,
                               ResultSink& sink, SearchProgress& progress) {
    HtmlLister lister(engine, target, pattern, columns, sink, progress);
    const FileSetWalkEnd end = WalkFileSet(
        sjisSpecification, engine.SearchSubdirectories(), subdirBufferBytes,
        [&](const std::string& path) { return lister.ListFile(path); },
        [&] { return engine.KeepGoing(progress); });
    GlobalFindCounts counts = lister.counts;
    counts.stopped = end == FileSetWalkEnd::Stopped;
    counts.subdirectoryOverflow = end == FileSetWalkEnd::SubdirectoryOverflow;
    return counts;
}

} // namespace nelvix
