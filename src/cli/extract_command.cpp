// nelvix-cli extract: takes the rules, then runs the extraction engine over one text or over a
// file set into the printer.
#include "cli/extract_command.h"

#include <optional>
#include <string>

#include "base/native_path.h"
#include "cli/args/find_args.h"
#include "cli/exit_status.h"
#include "cli/find_target.h"
#include "cli/io/console_platform.h"
#include "cli/io/document_text.h"
#include "cli/io/extraction_printer.h"
#include "cli/io/output_file.h"
#include "cli/io/temp_work_file.h"
#include "cli/io/text_lines.h"
#include "cli/rule_source.h"
#include "search/global_find_engine.h"
#include "ui/frame_services.h"
#include "ui/messages.h"

namespace nelvix::cli {
namespace {

/// The memory a global extraction asks for before it starts.
constexpr std::size_t kGlobalExtractionMemoryCheck = 0x200000;

// There is no window: nothing is shown while the result grows, nor after it.
class NoProgressWindow final : public ui::ProgressWindow {
public:
    void OpenGroups(std::string_view, const std::vector<std::string>&,
                    const std::vector<ui::ProgressGroup>&, std::string_view) override {}
    void SetValue(std::size_t, std::string_view) override {}
    bool StopRequested() override { return false; }
    void Close() override {}
};

class NoCountsDialog final : public ui::CountsDialog {
public:
    void Show(const ui::CountsReport&) override {}
};

} // namespace

std::string ExtractionRulesProblem(const ExtractionRules& rules) {
    switch (rules.runMode) {
    case RunMode::Step1Only:
        return rules.step1Lines.Empty() ? "run mode 1 (step 1 only) needs a step-1 string" : "";
    case RunMode::Step2Only:
        return rules.startLines.Empty() ? "run mode 2 (step 2 only) needs a start string" : "";
    case RunMode::BothSteps:
        return rules.step1Lines.Empty() && rules.startLines.Empty()
                   ? "run mode 3 (both steps) needs a step-1 string or a start string"
                   : "";
    default:
        return "run mode " + std::to_string(static_cast<std::int32_t>(rules.runMode)) +
               " is none of 1, 2 and 3";
    }
}

namespace {

// "1 line", "1,234 lines".
std::string Counted(std::uint32_t count, std::string_view noun) {
    return FormatCount(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

std::string Blocks(std::uint32_t count, bool extracted) {
    return Counted(count, "block") + (extracted ? " extracted" : " deleted");
}

// The values of the counts dialog "行の抽出", a line for each step.
void PrintLineCounts(const ExtractionRules& rules, const ExtractionCounts& counts,
                     std::ostream& err) {
    err << "nelvix-cli: step 1: " << Counted(counts.sourceLineCount, "line") << ", "
        << FormatCount(counts.sourceLineCount - counts.step1Count) << " deleted, "
        << FormatCount(counts.step1Count) << " extracted, "
        << Blocks(counts.step1MatchCount, rules.step1Process == Step1Process::Extract) << '\n';
    err << "nelvix-cli: step 2: " << Counted(counts.step1Count, "line") << ", "
        << FormatCount(counts.step1Count - counts.outCount) << " deleted, "
        << FormatCount(counts.outCount) << " extracted, "
        << Blocks(counts.step2BlockCount, rules.step2Process == Step2Process::Extract) << '\n';
}

// The values of the summary "グローバル抽出".
void PrintGlobalCounts(const ExtractionRules& rules, const GlobalExtractionCounts& counts,
                       std::ostream& err) {
    err << "nelvix-cli: files processed: " << FormatCount(counts.filesProcessed) << '\n'
        << "nelvix-cli: step 1: "
        << Blocks(counts.step1Matches, rules.step1Process == Step1Process::Extract) << '\n'
        << "nelvix-cli: step 2: "
        << Blocks(counts.step2Blocks, rules.step2Process == Step2Process::Extract) << '\n';
}

// No window shows the result while it grows.
ExtractionRules QuietRules(ExtractionRules rules) {
    rules.hideWhileExtracting = true;
    return rules;
}

// The status once the result is out: the output written, then a result cut short, then
// whether there was any.
int Finish(ExtractionPrinter& printer, bool cutShort, std::ostream& err) {
    if (!printer.Flush()) {
        err << "nelvix-cli: cannot write the output\n";
        return kExitExtractTrouble;
    }
    if (cutShort || printer.Full())
        return kExitExtractTrouble;
    return printer.Empty() ? kExitNothingExtracted : kExitExtracted;
}

} // namespace

int ExtractText(const ExtractionRules& rules, const CliArgs& args, std::ostream& out,
                std::ostream& err) {
    std::optional<std::string> text = LoadDocumentText(*args.extract.file, args.codeDecision, err);
    if (!text)
        return kExitExtractTrouble;
    ConsolePlatform console(err);
    ExtractionRuleSet ruleSet(console.platform);
    ruleSet.Rules() = QuietRules(rules);
    TextLines lines(*text);
    ExtractionPrinter printer(out, args.utf8, false, console.platform);
    NoProgressWindow progress;
    NoCountsDialog countsDialog;
    ruleSet.ExtractFromText(lines, printer, progress, countsDialog);
    int status = Finish(printer, false, err);
    PrintLineCounts(ruleSet.Rules(), ruleSet.Counts(), err);
    return status;
}

int ExtractFileSet(const ExtractionRules& rules, const CliArgs& args,
                   const std::string& sjisSpecification, std::ostream& out, std::ostream& err) {
    TempWorkFile workFile;
    if (workFile.Path().empty()) {
        // Without a work file EUC-JP and JIS files would be cut unconverted.
        err << "nelvix-cli: cannot make a work file: " << workFile.Reason() << '\n';
        return kExitExtractTrouble;
    }
    ConsolePlatform console(err);
    ui::Platform& platform = console.platform;
    if (!ui::CheckMemory(platform, kGlobalExtractionMemoryCheck))
        return kExitExtractTrouble;
    // "FindNoneTextFile" is off for a global extraction: the line index takes the bytes as
    // they are.
    EngineEnvironment environment{.platform = platform,
                                  .workFilePath = workFile.Path(),
                                  .codeDecision = args.codeDecision,
                                  .findNoneTextFile = false,
                                  .passOver = PassOverOutputFile(args.outputFile, err)};
    GlobalFindEngine engine(environment);
    ExtractionRuleSet ruleSet(platform);
    ruleSet.Rules() = QuietRules(rules);
    ExtractionPrinter printer(out, args.utf8, true, platform);
    GlobalExtractionCounts counts = RunGlobalExtraction(
        ruleSet, engine, sjisSpecification, args.extract.subdirectories,
        static_cast<std::size_t>(kDefaultSubdirBufferKb) * 1024, printer, printer);
    if (counts.unusableSpecification) {
        err << "nelvix-cli: extract: the file set " << SjisPathToNative(sjisSpecification)
            << " cannot be listed\n";
        return kExitExtractTrouble;
    }
    // A tree whose subdirectories could not be listed was not wholly cut down either.
    int status = Finish(printer, counts.stopped || counts.subdirectoryOverflow, err);
    if (counts.subdirectoryOverflow)
        ui::ShowMessage(platform, ui::kMsgTooManyDirectories);
    PrintGlobalCounts(ruleSet.Rules(), counts, err);
    return status;
}

int RunExtract(const CliArgs& args, std::ostream& out, std::ostream& err) {
    std::optional<ExtractionRules> rules = LoadExtractionRules(args.extract, err);
    if (!rules)
        return kExitExtractTrouble;
    if (std::string problem = ExtractionRulesProblem(*rules); !problem.empty()) {
        err << "nelvix-cli: extract: the rules cannot run: " << problem << '\n';
        return kExitExtractTrouble;
    }
    if (!args.extract.specification)
        return ExtractText(*rules, args, out, err);
    FindArgs find;
    find.specification = args.extract.specification;
    FindTarget target = BuildFindTarget(find);
    if (!target.ok()) {
        err << "nelvix-cli: extract: " << target.error << '\n';
        return kExitExtractTrouble;
    }
    return ExtractFileSet(*rules, args, target.sjisSpecification, out, err);
}

} // namespace nelvix::cli
