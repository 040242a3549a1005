// A global find over a whole file set, and the search specification its dialog builds.
#include "search/file_set.h"
#include "search/global_find_engine.h"

namespace nelvix {
namespace {

/// Paths this long or longer do not fit the old 261-byte buffer with its NUL.
constexpr std::size_t kMaxSpecificationBytes = 260;

/// Searches every file of one specification; false when the run must stop.
bool SearchFiles(GlobalFindEngine& engine, FileSet& files, std::string_view specification,
                 std::string_view pattern, ResultSink& sink, SearchProgress& progress,
                 GlobalFindCounts& counts) {
    for (std::optional<std::string> path = files.FirstFile(specification); path;
         path = files.NextFile()) {
        // A file that cannot be opened still counts: it was handed over.
        ++counts.filesSearched;
        if (!engine.SearchFileIntoSink(*path, pattern, sink, progress, counts.hits)) {
            files.EndFiles();
            counts.stopped = true;
            return false;
        }
    }
    return true;
}

} // namespace

GlobalFindCounts RunGlobalFind(GlobalFindEngine& engine, std::string_view sjisSpecification,
                               std::string_view pattern, std::size_t subdirBufferBytes,
                               ResultSink& sink, SearchProgress& progress) {
    GlobalFindCounts counts;
    FileSet files;
    if (!SearchFiles(engine, files, sjisSpecification, pattern, sink, progress, counts) ||
        !engine.SearchSubdirectories())
        return counts;

    // The top directory is the first pattern's: the last '/' of the whole specification may
    // lie in a further pattern ("/src/*.c inc/*.h"), and so may the part after it.
    const std::vector<std::string> patterns = SpecificationPatterns(sjisSpecification);
    if (patterns.empty())
        return counts;
    SubdirectoryList subdirectories(subdirBufferBytes);
    if (subdirectories.ListSubdirectories(SplitDirectory(patterns.front()).directory + "*.*") < 0) {
        counts.subdirectoryOverflow = true;
        return counts;
    }
    for (std::string_view directory : subdirectories.Items()) {
        const std::string specification = SubdirectorySpecification(directory, sjisSpecification);
        if (!SearchFiles(engine, files, specification, pattern, sink, progress, counts))
            break;
    }
    return counts;
}

std::optional<std::string> BuildSearchSpecification(std::string_view sjisCurrentDirectory,
                                                    std::string_view sjisFileBoxText) {
    std::string specification;
    if (!sjisFileBoxText.empty() && sjisFileBoxText.front() == '/') {
        specification.assign(sjisFileBoxText);
    } else {
        std::string_view directory = sjisCurrentDirectory;
        if (!directory.empty() && directory.back() == '/')
            directory.remove_suffix(1);
        // The closing quote goes before the final '/': "/my dir"/*.txt.
        specification = QuotePathWithSpaces(directory);
        specification.append(1, '/').append(sjisFileBoxText);
    }
    if (specification.size() > kMaxSpecificationBytes)
        return std::nullopt;
    return specification;
}

} // namespace nelvix
