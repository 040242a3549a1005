// The walk over a file set and the directories below it. Each directory is listed once: the
// pass that finds its subdirectories also keeps its file names, which its patterns then take.
#include "search/file_set_walk.h"

#include <optional>
#include <vector>

#include "search/listed_files.h"
#include "search/search_specification.h"

namespace nelvix {
namespace {

/// What the walk of one directory's files needs.
struct FileVisit {
    const std::function<bool(const std::string&)>& visit;
    std::string path;    ///< the path handed to `visit`, reused
    ListedFiles scratch; ///< for a pattern whose names were not kept
};

/// The names `pattern` takes from: those kept for `listedDirectory`, when the pattern lies there,
/// or else a listing of its own directory (as `split`), which is made into `scratch`.
std::optional<std::string_view> NamesFor(const SplitPath& split, const std::string& listedDirectory,
                                         std::optional<std::string_view> kept,
                                         ListedFiles& scratch) {
    if (kept && split.directory == listedDirectory)
        return kept;
    scratch.Clear();
    ListFileNames(split.directory, scratch);
    return scratch.Names(0);
}

/// Visits the files of `patterns` pattern by pattern, each in listing order; false when the
/// walk must stop.
bool VisitFiles(const std::vector<std::string>& patterns, const std::string& listedDirectory,
                std::optional<std::string_view> kept, FileVisit& files) {
    for (const std::string& pattern : patterns) {
        const SplitPath split = SplitDirectory(pattern);
        std::optional<std::string_view> names =
            NamesFor(split, listedDirectory, kept, files.scratch);
        if (!names)
            continue; // a directory that cannot be listed contributes nothing
        while (const std::optional<std::string_view> name = NextListedName(*names)) {
            if (!WildcardMatch(split.name, *name))
                continue;
            files.path.assign(split.directory).append(*name);
            if (!files.visit(files.path))
                return false;
        }
    }
    return true;
}

/// Visits the files of every listed subdirectory in order; false when the walk must stop.
bool VisitSubdirectories(const SubdirectoryList& directories, const ListedFiles& listed,
                         std::string_view sjisSpecification, FileVisit& files) {
    std::size_t offset = 0;
    // Directory 0 of the kept names is the top one; the subdirectories follow in list order.
    std::size_t index = 1;
    while (const std::optional<std::string_view> directory = directories.NextItem(offset)) {
        const std::vector<std::string> patterns =
            SpecificationPatterns(SubdirectorySpecification(*directory, sjisSpecification));
        if (!VisitFiles(patterns, UnquotePath(*directory), listed.Names(index++), files))
            return false;
    }
    return true;
}

} // namespace

FileSetWalkEnd WalkFileSet(std::string_view sjisSpecification, bool subdirectories,
                           std::size_t subdirBufferBytes,
                           const std::function<bool(const std::string& sjisPath)>& visit,
                           const std::function<bool()>& keepGoing, std::size_t subdirMaxBytes) {
    // The top directory is the first pattern's: the last '/' of the whole specification may
    // lie in a further pattern ("/src/*.c inc/*.h"), and so may the part after it.
    const std::vector<std::string> patterns = SpecificationPatterns(sjisSpecification);
    if (patterns.empty())
        return FileSetWalkEnd::Done;
    const std::string top = SplitDirectory(patterns.front()).directory;
    ListedFiles listed;
    SubdirectoryList directories(subdirBufferBytes, subdirMaxBytes);
    directories.SetKeepGoing(keepGoing);
    directories.KeepFiles(&listed);
    bool listedTop = true;
    if (subdirectories)
        listedTop = directories.ListTop(top + "*.*");
    else
        ListFileNames(top, listed);
    const std::string& topListed = subdirectories ? directories.TopDirectory() : top;

    FileVisit files{visit, {}, ListedFiles()};
    if (!VisitFiles(patterns, topListed, listed.Names(0), files))
        return FileSetWalkEnd::Stopped;
    if (!subdirectories)
        return FileSetWalkEnd::Done;
    if (!listedTop)
        return FileSetWalkEnd::SubdirectoryOverflow;
    const long below = directories.ListBelowTop();
    if (below == kListingStopped)
        return FileSetWalkEnd::Stopped;
    if (below < 0)
        return FileSetWalkEnd::SubdirectoryOverflow;
    if (!VisitSubdirectories(directories, listed, sjisSpecification, files))
        return FileSetWalkEnd::Stopped;
    return FileSetWalkEnd::Done;
}

} // namespace nelvix
