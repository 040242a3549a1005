// The global find engine: searches one file at a time in 30,720-byte chunks and turns each match
// into a result line (a tag) "path(line): text" CR LF. It also keeps the global find's options
// and builds the line index of a file for global extraction.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/limits.h"
#include "base/sjis.h"
#include "pattern/search_options.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

class CompiledPattern;
class FileDescriptor;

inline constexpr std::size_t kChunkBytes = 30'720;
/// A match further than this into its line (plus the pattern) is quoted from the match itself.
inline constexpr std::size_t kQuoteFromMatchBeyond = 239;

/// What the engine needs of the program around it.
struct EngineEnvironment {
    ui::Platform& platform;
    /// Native path of this process's work file; empty: files are searched unconverted.
    std::string workFilePath{};
    int codeDecision = 0;          ///< the "CodeDecision" setting
    bool multiText = false;        ///< the "MultiText" setting
    bool findNoneTextFile = false; ///< the "FindNoneTextFile" setting
    /// True for a file that a run over a file set passes over without searching or counting
    /// it (the command line's own output file); empty: none is.
    std::function<bool(std::string_view sjisPath)> passOver{};
    /// Once true, a file's search ends before its next chunk (a worker whose run stopped).
    const std::atomic<bool>* cancelled = nullptr;
    /// Threads that search the files of a run ahead of the one that hands their lines on;
    /// 0: the calling thread searches them itself.
    unsigned searchWorkers = 0;
};

/// The file's name and extension, without its folder: what the progress window shows.
std::string_view FileNamePart(std::string_view sjisPath);

/// The progress window of a run, as the engine drives it.
class SearchProgress {
public:
    virtual ~SearchProgress() = default;
    virtual void ShowFileName(std::string_view sjisNameAndExtension) = 0;
    virtual void ShowHitCount(std::uint32_t hits) = 0;
    /// True once the person pressed "中断".
    virtual bool StopRequested() = 0;
};

/// Where result lines go: a result document, or the command line's output.
class ResultSink {
public:
    virtual ~ResultSink() = default;
    /// `line` is a whole result line with its CR LF; false stops the run.
    virtual bool Add(std::string_view line) = 0;
};

/// Offsets in the searched text (the converted copy when the file was converted).
struct MatchOffsets {
    std::uint64_t lineStart = 0;
    std::uint64_t match = 0;
};

/// The text a search reads: the file itself, or its converted copy (in memory, or in the work
/// file for a text whose lines are read again by offset).
struct OpenedText {
    std::string nativePath;
    std::uint64_t length = 0;
};

class GlobalFindEngine {
public:
    explicit GlobalFindEngine(EngineEnvironment& environment);
    ~GlobalFindEngine();
    GlobalFindEngine(const GlobalFindEngine&) = delete;
    GlobalFindEngine& operator=(const GlobalFindEngine&) = delete;

    // Options, saved with the data file.
    /// Case, width and regular expression; `multiText` here is not used: each search takes the
    /// "MultiText" setting from the environment.
    SearchOptions& Options() { return m_options; }
    bool& SearchSubdirectories() { return m_subdirectories; }
    bool& FindForward() { return m_findForward; }
    EngineEnvironment& Environment() { return m_environment; }
    /// Whether a run over a file set leaves `sjisPath` alone (see EngineEnvironment::passOver).
    bool PassesOver(std::string_view sjisPath) const {
        return m_environment.passOver && m_environment.passOver(sjisPath);
    }

    /// The result line of the first match in the file, or nothing (the file is then closed):
    /// for an empty pattern, a file that cannot be opened or read, or one that fails the
    /// multi-text file test. The line stays valid until the next call.
    std::optional<std::string_view> FindFirstInFile(std::string_view sjisPath,
                                                    std::string_view pattern,
                                                    MatchOffsets* offsets = nullptr);
    /// The next match's result line, or nothing once the file is exhausted (it is then closed).
    /// `pattern` is the one `FindFirstInFile` took: the file is searched with it as compiled then.
    std::optional<std::string_view> FindNextInFile(std::string_view pattern,
                                                   MatchOffsets* offsets = nullptr);
    /// Closes the file; the chunk and result buffers stay for the next file.
    void EndFile();
    /// Characters the regular-expression strategy examined in the file opened last: the work
    /// of a search, for tests and benchmarks.
    std::uint64_t MatcherSteps() const;

    /// The per-file step of a global find: each result line of `pattern` to `sink`, counted in
    /// `hits`; events pumped after each match and after a file without one. False when the run
    /// must stop ("中断", the program quitting, or the sink refusing a line).
    bool SearchFileIntoSink(std::string_view sjisPath, std::string_view pattern, ResultSink& sink,
                            SearchProgress& progress, std::uint32_t& hits);
    /// Lets pending events run; false when the program quits or the person stopped the run.
    bool KeepGoing(SearchProgress& progress);

    /// Opens the file as a text whose lines are read again by offset (through its converted
    /// copy in the work file when it needs converting) and gives `lineStart` the offset of each
    /// line start after the first, until it returns false; the CR LF that ends the text starts
    /// no line. Nothing when the file cannot be opened; otherwise where its text is.
    std::optional<OpenedText> WalkLineStarts(std::string_view sjisPath,
                                             const std::function<bool(std::uint64_t)>& lineStart);

private:
    struct FileState;

    /// The pattern compiled for `options`: compiled at a run's first file and kept while the
    /// pattern and options stay the same, so that no file compiles it again.
    const CompiledPattern& Compiled(std::string_view pattern, const SearchOptions& options);
    /// Opens the file for a search with `options`, read through its conversion when the work
    /// file has a name and the file needs one, and applies the multi-text file test; nothing
    /// when the file can give no match. `asFile`: the conversion goes to the work file, for a
    /// text whose lines are read again by offset; otherwise it is made in memory as the search
    /// reads on.
    std::optional<OpenedText> OpenFile(std::string_view sjisPath, std::string_view pattern,
                                       const SearchOptions& options, bool asFile = false);
    bool Cancelled() const {
        return m_environment.cancelled != nullptr &&
               m_environment.cancelled->load(std::memory_order_relaxed);
    }
    /// Sets the reader to convert `fd` in memory when it needs converting.
    void ReadThroughConversion(int fd, std::uint64_t length);
    /// Converts into the work file and opens that copy in place of `file`; false when the
    /// copy was written but cannot be opened.
    bool OpenWorkFileCopy(std::unique_ptr<FileDescriptor>& file, OpenedText& text);
    /// The chunk offset of the next match, reading further chunks as needed; nothing (and the
    /// file closed) when there is none.
    std::optional<std::size_t> NextMatch(std::string_view pattern);
    bool ReadChunk();
    std::string_view BuildLine(std::size_t match, std::size_t patternLength, MatchOffsets* offsets);

    EngineEnvironment& m_environment;
    SearchOptions m_options;
    bool m_subdirectories = true;
    bool m_findForward = true;
    /// Allocated at the first search and kept: one chunk buffer for the engine's whole life.
    std::unique_ptr<FileState> m_file;
    std::unique_ptr<CompiledPattern> m_compiled;
};

/// The counts of a whole run over a file set.
struct GlobalFindCounts {
    std::uint32_t filesSearched = 0;
    std::uint32_t hits = 0;
    /// Message 59438 is due: memory ran out listing the subdirectories, so only the top
    /// directory was searched.
    bool subdirectoryOverflow = false;
    bool stopped = false;
};

/// Searches every file of `sjisSpecification` (and, with the engine's subdirectory option, of
/// every subdirectory, listed in a list whose first allocation is `subdirBufferBytes`) into
/// `sink`. Running out of memory for that list leaves the top directory's hits and sets
/// `subdirectoryOverflow`.
GlobalFindCounts RunGlobalFind(GlobalFindEngine& engine, std::string_view sjisSpecification,
                               std::string_view pattern, std::size_t subdirBufferBytes,
                               ResultSink& sink, SearchProgress& progress);

} // namespace nelvix
