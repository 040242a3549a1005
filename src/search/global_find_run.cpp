// A global find over a whole file set, and the search specification its dialog builds.
#include "fileset/file_set.h"
#include "fileset/file_set_walk.h"
#include "search/global_find_engine.h"
#include "search/search_workers.h"

namespace nelvix {
namespace {

/// Paths this long or longer do not fit the old 261-byte buffer with its NUL.

} // namespace

GlobalFindCounts RunGlobalFind(GlobalFindEngine& engine, std::string_view sjisSpecification,
                               std::string_view pattern, std::size_t subdirBufferBytes,
                               ResultSink& sink, SearchProgress& progress) {
    if (engine.Environment().searchWorkers > 0 && !pattern.empty()) {
        SearchWorkers workers(engine, pattern, engine.Environment().searchWorkers);
        if (workers.Started())
            if (std::optional<GlobalFindCounts> counts =
                    workers.Run(sjisSpecification, subdirBufferBytes, sink, progress))
                return *counts;
    }
    GlobalFindCounts counts;
    const FileSetWalkEnd end = WalkFileSet(
        sjisSpecification, engine.SearchSubdirectories(), subdirBufferBytes,
        [&](const std::string& path) {
            if (engine.PassesOver(path))
                return true;
            // A file that cannot be opened still counts: it was handed over.
            ++counts.filesSearched;
            return engine.SearchFileIntoSink(path, pattern, sink, progress, counts.hits);
        },
        [&] { return engine.KeepGoing(progress); });
    counts.stopped = end == FileSetWalkEnd::Stopped;
    counts.subdirectoryOverflow = end == FileSetWalkEnd::SubdirectoryOverflow;
    return counts;
}

} // namespace nelvix
