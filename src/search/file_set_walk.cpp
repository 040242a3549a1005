// The walk over a file set and the directories below it.
#include "search/file_set_walk.h"

#include <optional>
#include <vector>

#include "search/file_set.h"

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
                           const std::function<bool(const std::string& sjisPath)>& visit) {
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
    SubdirectoryList directories(subdirBufferBytes);
    if (directories.ListSubdirectories(SplitDirectory(patterns.front()).directory + "*.*") < 0)
        return FileSetWalkEnd::SubdirectoryOverflow;
    for (std::string_view directory : directories.Items()) {
        const std::string specification = SubdirectorySpecification(directory, sjisSpecification);
        if (!VisitFiles(files, specification, visit))
            return FileSetWalkEnd::Stopped;
    }
    return FileSetWalkEnd::Done;
}

} // namespace nelvix
