// The walk over a file set and the directories below it. Each directory is listed once: the
// pass that finds its subdirectories also keeps its file names, which its patterns then take.
#include "fileset/file_set_walk.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "fileset/listed_files.h"
#include "fileset/search_specification.h"

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

/// Where the visits of the listed subdirectories stand.
struct SubdirectoryCursor {
    std::size_t offset = 0;
    /// Directory 0 of the kept names is the top one; the subdirectories follow in list order.
    std::size_t index = 1;
};

/// Visits the files of the listed subdirectories from `cursor` on, in order, up to the one
/// with kept names index `end` (excluded); false when the walk must stop.
bool VisitSubdirectories(const SubdirectoryList& directories, const ListedFiles& listed,
                         std::string_view sjisSpecification, FileVisit& files,
                         SubdirectoryCursor& cursor, std::size_t end = SIZE_MAX) {
    while (cursor.index < end) {
        const std::optional<std::string_view> directory = directories.NextItem(cursor.offset);
        if (!directory)
            break;
        const std::vector<std::string> patterns =
            SpecificationPatterns(SubdirectorySpecification(*directory, sjisSpecification));
        if (!VisitFiles(patterns, UnquotePath(*directory), listed.Names(cursor.index++), files))
            return false;
    }
    return true;
}

} // namespace

FileSetWalkEnd WalkFileSet(std::string_view sjisSpecification, bool subdirectories,
                           std::size_t subdirBufferBytes,
                           const std::function<bool(const std::string& sjisPath)>& visit,
                           const std::function<bool()>& keepGoing, std::size_t subdirMaxBytes,
                           const WalkAhead* ahead) {
    // The top directory is the first pattern's: the last '/' of the whole specification may
    // lie in a further pattern ("/src/*.c inc/*.h"), and so may the part after it.
    const std::vector<std::string> patterns = SpecificationPatterns(sjisSpecification);
    if (patterns.empty())
        return FileSetWalkEnd::Done;
    const std::string top = SplitDirectory(patterns.front()).directory;
    ListedFiles listed;
    SubdirectoryList directories(subdirBufferBytes, subdirMaxBytes);
    FileVisit files{visit, {}, ListedFiles()};
    SubdirectoryCursor cursor;
    // Asked once before the first directory below the top is listed, then after each: the
    // directories listed so far are those before kept names index `asked`.
    std::size_t asked = 0;
    directories.SetKeepGoing([&] {
        if (keepGoing && !keepGoing())
            return false;
        ++asked;
        // One directory at a time, so that the room is asked for each.
        while (ahead != nullptr && cursor.index < asked && ahead->visitNow())
            if (!VisitSubdirectories(directories, listed, sjisSpecification, files, cursor,
                                     cursor.index + 1))
                return false;
        return true;
    });
    directories.KeepFiles(&listed);
    bool listedTop = true;
    if (subdirectories)
        listedTop = directories.ListTop(top + "*.*");
    else
        ListFileNames(top, listed);
    const std::string& topListed = subdirectories ? directories.TopDirectory() : top;

    if (!VisitFiles(patterns, topListed, listed.Names(0), files))
        return FileSetWalkEnd::Stopped;
    if (!subdirectories)
        return FileSetWalkEnd::Done;
    if (!listedTop)
        return FileSetWalkEnd::SubdirectoryOverflow;
    const long below = directories.ListBelowTop();
    if (ahead != nullptr)
        ahead->listed(below >= 0);
    if (below == kListingStopped)
        return FileSetWalkEnd::Stopped;
    if (below < 0)
        return FileSetWalkEnd::SubdirectoryOverflow;
    if (!VisitSubdirectories(directories, listed, sjisSpecification, files, cursor))
        return FileSetWalkEnd::Stopped;
    return FileSetWalkEnd::Done;
}

} // namespace nelvix
