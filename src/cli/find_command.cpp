// nelvix-cli find: builds the pattern and the search specification, then runs the global find
// engine over the file set into the printer.
#include "cli/find_command.h"

#include <optional>
#include <string>

#include "base/cp932.h"
#include "cli/exit_status.h"
#include "cli/find_target.h"
#include "cli/io/console_platform.h"
#include "cli/io/output_file.h"
#include "cli/io/result_printer.h"
#include "cli/io/temp_work_file.h"
#include "pattern/find_pattern.h"
#include "search/global_find_engine.h"
#include "search/search_workers.h"
#include "ui/messages.h"

namespace nelvix::cli {
namespace {

// The pattern in Shift-JIS; nothing (after the reason on `err`) when the terminal's text holds
// a character code page 932 lacks, which no file could then be searched for.
std::optional<std::string> SjisPattern(const FindArgs& find, std::ostream& err) {
    if (find.patternSjis)
        return find.pattern;
    bool lossy = false;
    std::string pattern = Utf8ToCp932(find.pattern, kSjisMiddleDot, &lossy);
    if (lossy) {
        err << "nelvix-cli: find: the PATTERN holds a character that Shift-JIS cannot express\n";
        return std::nullopt;
    }
    return pattern;
}

// The regular-expression strategy (-r, -w) can never match a longer pattern: saying nothing and
// finding nothing would look like an answer.
bool PatternFits(std::string_view pattern, const SearchOptions& options, std::ostream& err) {
    if (MatcherTakesPattern(pattern, options))
        return true;
    err << "nelvix-cli: find: the PATTERN is longer than " << kMaxPatternBytes
        << " bytes, the most a regular expression (-r) or a search with -w can hold\n";
    return false;
}

unsigned SearchWorkersFor(int threads) {
    if (threads == 0)
        return SearchWorkersForThisMachine();
    return threads == 1 ? 0 : static_cast<unsigned>(threads);
}

void SetUpEngine(GlobalFindEngine& engine, const FindArgs& find) {
    engine.Options() = find.options;
    engine.SearchSubdirectories() = find.subdirectories;
}

} // namespace

int SearchFileSet(const CliArgs& args, const std::string& sjisSpecification,
                  const std::string& pattern, std::ostream& out, std::ostream& err) {
    if (!PatternFits(pattern, args.find.options, err))
        return kExitFindTrouble;
    TempWorkFile workFile;
    if (workFile.Path().empty()) {
        // Without a work file EUC-JP and JIS files would be searched unconverted and their
        // hits lost, so the run is not made.
        err << "nelvix-cli: cannot make a work file: " << workFile.Reason() << '\n';
        return kExitFindTrouble;
    }
    ConsolePlatform console(err);
    if (!ui::CheckMemory(console.platform))
        return kExitFindTrouble;
    const FindArgs& find = args.find;
    EngineEnvironment environment{.platform = console.platform,
                                  .workFilePath = workFile.Path(),
                                  .codeDecision = args.codeDecision,
                                  .multiText = find.options.multiText,
                                  .findNoneTextFile = find.findNoneTextFile,
                                  .passOver = PassOverOutputFile(args.outputFile, err),
                                  .searchWorkers = SearchWorkersFor(find.threads)};
    GlobalFindEngine engine(environment);
    SetUpEngine(engine, find);
    ResultPrinter printer(out, args.utf8);
    GlobalFindCounts counts =
        RunGlobalFind(engine, sjisSpecification, pattern,
                      static_cast<std::size_t>(find.subdirBufferKb) * 1024, printer, printer);
    if (!printer.Flush()) {
        err << "nelvix-cli: cannot write the output\n";
        return kExitFindTrouble;
    }
    ShowSearchEndMessages(console.platform, counts);
    return SearchExitStatus(counts);
}

int RunFind(const CliArgs& args, std::ostream& out, std::ostream& err) {
    std::optional<std::string> pattern = SjisPattern(args.find, err);
    if (!pattern)
        return kExitFindTrouble;
    FindTarget target = BuildFindTarget(args.find);
    if (!target.ok()) {
        err << "nelvix-cli: find: " << target.error << '\n';
        return kExitFindTrouble;
    }
    return SearchFileSet(args, target.sjisSpecification, *pattern, out, err);
}

int SearchExitStatus(const GlobalFindCounts& counts) {
    // The subdirectories were never searched: whatever the top directory gave, the answer is
    // not the tree's.
    if (counts.subdirectoryOverflow)
        return kExitFindTrouble;
    return counts.hits > 0 ? kExitFound : kExitNothingFound;
}

void ShowSearchEndMessages(ui::Platform& platform, const GlobalFindCounts& counts) {
    if (counts.subdirectoryOverflow)
        ui::ShowMessage(platform, ui::kMsgTooManyDirectories);
    ui::ShowMessage(platform, ui::kMsgGlobalFindCounts, {},
                    {std::to_string(counts.filesSearched), std::to_string(counts.hits)});
}

} // namespace nelvix::cli
