// nelvix-cli html: builds the string and the search specification, then runs the HTML search
// over the file set into the printer.
#include "cli/html_command.h"

#include <optional>
#include <string>

#include "base/cp932.h"
#include "cli/exit_status.h"
#include "cli/find_command.h"
#include "cli/find_target.h"
#include "cli/io/console_platform.h"
#include "cli/io/html_printer.h"
#include "cli/io/output_file.h"
#include "cli/io/temp_work_file.h"
#include "commands/html_search_dialog.h"
#include "ui/message_table.h"
#include "ui/messages.h"

namespace nelvix::cli {
namespace {

// The string in Shift-JIS; nothing (after the reason on `err`) when the terminal's text holds a
// character code page 932 lacks.
std::optional<std::string> SjisString(const HtmlArgs& html, std::ostream& err) {
    if (html.patternSjis || html.target != HtmlTarget::String)
        return html.pattern;
    bool lossy = false;
    std::string pattern = Utf8ToCp932(html.pattern, kSjisMiddleDot, &lossy);
    if (lossy) {
        err << "nelvix-cli: html: the --string value holds a character that Shift-JIS cannot "
               "express\n";
        return std::nullopt;
    }
    return pattern;
}

// The dialog's checks of the string and the file set; false after the reason on `err`.
bool Acceptable(const HtmlArgs& html, const std::string& sjisString, std::ostream& err) {
    HtmlSearchValues values;
    values.pattern = sjisString;
    values.fileBox = html.specification;
    values.target = html.target;
    const GlobalFindCheck check = CheckHtmlSearchValues(values);
    if (check.ok)
        return true;
    err << "nelvix-cli: html: "
        << (check.messageId != 0 ? ui::MessageTextUtf8(check.messageId) : "a value is empty")
        << '\n';
    return false;
}

int Search(const CliArgs& args, const std::string& sjisSpecification, const std::string& pattern,
           std::ostream& out, std::ostream& err) {
    TempWorkFile workFile;
    if (workFile.Path().empty()) {
        err << "nelvix-cli: cannot make a work file: " << workFile.Reason() << '\n';
        return kExitFindTrouble;
    }
    ConsolePlatform console(err);
    if (!ui::CheckMemory(console.platform))
        return kExitFindTrouble;
    const HtmlArgs& html = args.html;
    // As in the program, non-text files are searched only up to their first NUL byte.
    EngineEnvironment environment{.platform = console.platform,
                                  .workFilePath = workFile.Path(),
                                  .codeDecision = args.codeDecision,
                                  .multiText = html.options.multiText,
                                  .findNoneTextFile = false,
                                  .passOver = PassOverOutputFile(args.outputFile, err)};
    GlobalFindEngine engine(environment);
    engine.Options() = html.options;
    if (html.target != HtmlTarget::String)
        engine.Options() = {.caseSensitive = false, .widthSensitive = true};
    engine.SearchSubdirectories() = html.subdirectories;
    const HtmlColumns columns;
    HtmlPrinter printer(out, args.utf8, html.target, columns);
    const GlobalFindCounts counts =
        RunHtmlSearch(engine, html.target, sjisSpecification, pattern, columns,
                      static_cast<std::size_t>(html.subdirBufferKb) * 1024, printer, printer);
    if (!printer.Flush()) {
        err << "nelvix-cli: cannot write the output\n";
        return kExitFindTrouble;
    }
    ShowSearchEndMessages(console.platform, counts);
    return SearchExitStatus(counts);
}

} // namespace

int RunHtml(const CliArgs& args, std::ostream& out, std::ostream& err) {
    const std::optional<std::string> pattern = SjisString(args.html, err);
    if (!pattern || !Acceptable(args.html, *pattern, err))
        return kExitFindTrouble;
    FindArgs find;
    find.specification = args.html.specification;
    const FindTarget target = BuildFindTarget(find);
    if (!target.ok()) {
        err << "nelvix-cli: html: " << target.error << '\n';
        return kExitFindTrouble;
    }
    return Search(args, target.sjisSpecification, *pattern, out, err);
}

} // namespace nelvix::cli
