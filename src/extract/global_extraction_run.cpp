// Global extraction over a file set: each file the file pattern names and, when asked, of the
// directories below it, into one result.
#include "extract/extraction_engine.h"
#include "fileset/file_set.h"
#include "fileset/file_set_walk.h"
#include "search/global_find_engine.h"
#include "ui/platform.h"

namespace nelvix {
namespace {

/// A specification names at least one pattern, and the first one a directory.
bool UsableSpecification(std::string_view sjisSpecification) {
    const std::vector<std::string> patterns = SpecificationPatterns(sjisSpecification);
    return !patterns.empty() && !SplitDirectory(patterns.front()).directory.empty();
}

} // namespace

GlobalExtractionCounts RunGlobalExtraction(ExtractionRuleSet& ruleSet, GlobalFindEngine& engine,
                                           std::string_view sjisSpecification, bool subdirectories,
                                           std::size_t subdirBufferBytes, ExtractionResult& result,
                                           GlobalExtractionProgress& progress) {
    GlobalExtractionCounts counts;
    if (!UsableSpecification(sjisSpecification)) {
        counts.unusableSpecification = true;
        return counts;
    }
    if (!ruleSet.CheckPreconditions()) {
        counts.stopped = true;
        return counts;
    }
    std::uint32_t blocksBefore = 0;
    const FileSetWalkEnd end = WalkFileSet(
        sjisSpecification, subdirectories, subdirBufferBytes,
        [&](const std::string& path) {
            if (engine.PassesOver(path))
                return true;
            progress.ShowFileName(FileNamePart(path));
            if (ruleSet.ExtractFromFile(engine, path, result, progress, blocksBefore) == 0)
                return false;
            const ExtractionCounts& file = ruleSet.Counts();
            progress.AddCounts(file.step1MatchCount, file.step2BlockCount);
            counts.step1Matches += file.step1MatchCount;
            counts.step2Blocks += file.step2BlockCount;
            ++counts.filesProcessed;
            return true;
        },
        [&] {
            return engine.Environment().platform.eventPump.PumpEvents() &&
                   !progress.StopRequested();
        });
    counts.stopped = end == FileSetWalkEnd::Stopped;
    counts.subdirectoryOverflow = end == FileSetWalkEnd::SubdirectoryOverflow;
    return counts;
}

} // namespace nelvix
