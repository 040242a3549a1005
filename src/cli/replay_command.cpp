// nelvix-cli replay: the recorder walks the macro's records and hands each to a runner that
// does what the main frame's command would, through the find and extract subcommands' runs.
#include "cli/replay_command.h"

#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>

#include "base/native_path.h"
#include "cli/exit_status.h"
#include "cli/extract_command.h"
#include "cli/find_command.h"
#include "cli/io/console_platform.h"
#include "fileset/file_set.h"
#include "fileset/search_specification.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "store/extraction_record.h"
#include "store/global_find_record.h"
#include "store/ini_file.h"
#include "store/program_home.h"
#include "store/settings.h"
#include "store/settings_store.h"

namespace nelvix::cli {
namespace {

/// The settings a replayed command reads: those of the home's store, defaults without one.
Settings HomeSettings(const std::string& nativeHome) {
    std::ifstream file(nativeHome + "/" + kSettingsFileName, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    Settings settings;
    LoadSettings(IniFile::Parse(bytes), settings);
    return settings;
}

/// Runs each replayed record as the main frame's command would, without its window.
class ReplayRunner final : public CommandDispatcher {
public:
    ReplayRunner(const OperationRecorder& recorder, const CliArgs& args, const Settings& settings,
                 std::ostream& out, std::ostream& err)
        : m_recorder(recorder), m_args(args), m_settings(settings), m_out(out), m_err(err) {}

    void RunCommand(int commandId) override;
    bool HasActiveView() const override { return false; }

    /// Trouble in any operation, else a result of any, else nothing.
    int Status() const {
        if (m_trouble)
            return kExitFindTrouble;
        return m_found ? kExitFound : kExitNothingFound;
    }

private:
    int GlobalFind(std::span<const Byte> record);
    int LineExtraction(std::span<const Byte> record);
    int GlobalExtraction(std::span<const Byte> record);
    /// The run's arguments: the command line's, with the settings' code decision.
    CliArgs RunArgs() const;
    std::ostream& Note() { return m_err << "nelvix-cli: replay: operation " << m_index << ": "; }
    int Trouble(const std::string& why) {
        Note() << why << '\n';
        return kExitFindTrouble;
    }

    const OperationRecorder& m_recorder;
    const CliArgs& m_args;
    const Settings& m_settings;
    std::ostream& m_out;
    std::ostream& m_err;
    int m_index = 0;
    bool m_found = false;
    bool m_trouble = false;
};

void ReplayRunner::RunCommand(int commandId) {
    ++m_index;
    const std::span<const Byte> record = m_recorder.CurrentReplayRecord();
    int status = kExitNothingFound;
    switch (commandId) {
    case kCmdGlobalFind:
        status = GlobalFind(record);
        break;
    case kCmdLineExtraction:
        status = LineExtraction(record);
        break;
    case kCmdGlobalExtraction:
        status = GlobalExtraction(record);
        break;
    default:
        Note() << "command " << commandId << " runs only in the program's window; skipped\n";
        return;
    }
    m_found = m_found || status == kExitFound;
    m_trouble = m_trouble || status == kExitFindTrouble;
}

CliArgs ReplayRunner::RunArgs() const {
    CliArgs run;
    run.utf8 = m_args.utf8;
    run.codeDecision = m_settings.codeDecision;
    run.outputFile = m_args.outputFile;
    return run;
}

int ReplayRunner::GlobalFind(std::span<const Byte> record) {
    const std::optional<GlobalFindParameters> parameters = ParseGlobalFindRecord(record);
    if (!parameters)
        return Trouble("the global find's record is damaged");
    Note() << "global find\n";
    CliArgs run = RunArgs();
    run.find.options = {.caseSensitive = parameters->caseSensitive,
                        .widthSensitive = parameters->widthSensitive,
                        .regularExpression = parameters->regularExpression,
                        .multiText = m_settings.multiText};
    run.find.subdirectories = parameters->subdirectories;
    run.find.findNoneTextFile = m_settings.findNoneTextFile;
    run.find.subdirBufferKb = m_settings.subDirBufBytes / 1024;
    return SearchFileSet(run, parameters->specification, parameters->pattern, m_out, m_err);
}

int ReplayRunner::LineExtraction(std::span<const Byte> record) {
    const std::optional<ExtractionRules> rules = ParseLineExtractionRecord(record);
    if (!rules)
        return Trouble("the line extraction's record is damaged");
    // The program cuts down the active window's text; here --file names it.
    if (!m_args.replay.file)
        return Trouble("a line extraction needs the text it cuts down: give it with --file");
    if (std::string problem = ExtractionRulesProblem(*rules); !problem.empty())
        return Trouble("the rules cannot run: " + problem);
    Note() << "line extraction\n";
    CliArgs run = RunArgs();
    run.extract.file = m_args.replay.file;
    return ExtractText(*rules, run, m_out, m_err);
}

int ReplayRunner::GlobalExtraction(std::span<const Byte> record) {
    const std::optional<ExtractionParameters> parameters = ParseGlobalExtractionRecord(record);
    if (!parameters)
        return Trouble("the global extraction's record is damaged");
    if (std::string problem = ExtractionRulesProblem(parameters->rules); !problem.empty())
        return Trouble("the rules cannot run: " + problem);
    // As the program does: a pattern without a directory lies in the working directory.
    const std::optional<std::string> specification =
        ResolveSearchSpecification(WorkingDirectory(), parameters->pattern);
    if (!specification || SpecificationPatterns(*specification).empty())
        return Trouble("the file pattern '" + SjisPathToNative(parameters->pattern) +
                       "' names no file set");
    Note() << "global extraction\n";
    CliArgs run = RunArgs();
    run.extract.subdirectories = parameters->subdirectories;
    return ExtractFileSet(parameters->rules, run, *specification, m_out, m_err);
}

// Why the macro did not load, for a person.
std::string LoadProblem(const OperationRecorder& recorder, const std::string& sjisName,
                        const std::string& home) {
    switch (recorder.MacroExists(sjisName)) {
    case 0:
        return "there is no macro file for it in " + home;
    case 2:
        return "it cannot name a macro file of " + home;
    default:
        return "its file in " + home + " cannot be read or is no macro file";
    }
}

} // namespace

int RunReplay(const CliArgs& args, std::ostream& out, std::ostream& err) {
    const std::string home = args.replay.home.value_or(ProgramHome());
    if (home.empty()) {
        err << "nelvix-cli: replay: no program home; give one with --home\n";
        return kExitFindTrouble;
    }
    ConsolePlatform console(err);
    std::array<std::string, kUserToolSlots> userTools;
    OperationRecorder recorder(console.platform, home, userTools);
    const std::string sjisName = NativePathToSjis(args.replay.macro);
    if (!recorder.LoadMacro(sjisName)) {
        err << "nelvix-cli: replay: cannot load the macro '" << args.replay.macro
            << "': " << LoadProblem(recorder, sjisName, home) << '\n';
        return kExitFindTrouble;
    }
    if (!recorder.HasRecord()) {
        err << "nelvix-cli: replay: the macro '" << args.replay.macro << "' holds no operation\n";
        return kExitNothingFound;
    }
    const Settings settings = HomeSettings(home);
    ReplayRunner runner(recorder, args, settings, out, err);
    recorder.Replay(runner);
    return runner.Status();
}

} // namespace nelvix::cli
