// The walk over a file set and the directories below it.
#include "search/file_set_walk.h"

#include <optional>
#include <vector>

namespace nelvix {
namespace {

/// Visits every file of one specification; false when the walk must stop.
bool VisitFiles(FileSet& files, std::string_view specification,
                const std::function<bool(const std::string&)>& visit) {
    for (std::optional<std::string> path = files.FirstFile(specification); path;
         path = files.NextFile()) {
        if (!visit(*path)) {
            files.EndFiles();
            return false;
        }
    }
    return true;
}

} // namespace

FileSetWalkEnd WalkFileSet(std::string_view sjisSpecification, bool subdirectories,
                           std::size_t subdirBufferBytes,
                           const std::function<bool(const std::string& sjisPath)>& visit,
                           const std::function<bool()>& keepGoing, std::size_t subdirMaxBytes) {
    FileSet files;
    if (!VisitFiles(files, sjisSpecification, visit))
        return FileSetWalkEnd::Stopped;
    if (!subdirectories)
        return FileSetWalkEnd::Done;

    // The top directory is the first pattern's: the last '/' of the whole specification may
    // lie in a further pattern ("/src/*.c inc/*.h"), and so may the part after it.
    const std::vector<std::string> patterns = SpecificationPatterns(sjisSpecification);
    if (patterns.empty())
        return FileSetWalkEnd::Done;
    SubdirectoryList directories(subdirBufferBytes, subdirMaxBytes);
    directories.SetKeepGoing(keepGoing);
    const long listed =
        directories.ListSubdirectories(SplitDirectory(patterns.front()).directory + "*.*");
    if (listed == kListingStopped)
        return FileSetWalkEnd::Stopped;
    if (listed < 0)
        return FileSetWalkEnd::SubdirectoryOverflow;
    std::size_t offset = 0;
    while (const std::optional<std::string_view> directory = directories.NextItem(offset)) {
        const std::string specification = SubdirectorySpecification(*directory, sjisSpecification);
        if (!VisitFiles(files, specification, visit))
            return FileSetWalkEnd::Stopped;
    }
    return FileSetWalkEnd::Done;
}

} // namespace nelvix
