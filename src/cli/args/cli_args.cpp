// Parsing nelvix-cli's arguments into a subcommand, its files and options.
#include "cli/args/cli_args.h"

#include <array>

namespace nelvix::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: nelvix-cli detect FILE...\n"
    "       nelvix-cli convert [--code auto|sjis|jis|euc] [--utf8] FILE\n"
    "       nelvix-cli find [OPTION...] PATTERN [DIR [WILDCARD...]]\n"
    "       nelvix-cli find [OPTION...] --spec SPEC PATTERN\n"
    "       nelvix-cli extract [--rules FILE | --data DATAFILE] [--code WORD] [--utf8] FILE\n"
    "       nelvix-cli extract [--rules FILE | --data DATAFILE] [--code WORD] [--utf8]\n"
    "                          --global SPEC [--no-subdirs]\n"
    "       nelvix-cli html [--title | --links | --string S] [OPTION...] SPEC\n"
    "       nelvix-cli replay [--home DIR] [--file FILE] [--utf8] MACRO\n"
    "       nelvix-cli --help\n"
    "\n"
    "  detect    print each file's encoding (Shift-JIS, JIS, EUC-JP or UTF-8) and line end\n"
    "            (CRLF, CR or LF), judged from its first 4096 bytes as Nelvix does\n"
    "  convert   write FILE's text to standard output as Nelvix holds it: Shift-JIS with\n"
    "            CR LF line ends\n"
    "    --code  decide the encoding (auto, the default) or read the file as Shift-JIS (sjis),\n"
    "            JIS (jis) or EUC-JP (euc)\n"
    "    --utf8  write UTF-8 with LF line ends instead, for reading in a terminal\n"
    "  find      search the files named by the WILDCARDs (default *.*) in DIR (default the\n"
    "            current directory) and its subdirectories for PATTERN, as Nelvix's global\n"
    "            find does; print one result line \"PATH(LINE): TEXT\" for each match\n"
    "            (Shift-JIS with CR LF), and the counts on standard error. The WILDCARDs,\n"
    "            joined by blanks, form the file box text: a name holding a blank is written\n"
    "            in double quotes inside its word, as '\"my notes.txt\"'\n"
    "    -i      ignore case (ASCII and full-width letters)\n"
    "    -w      let half-width and full-width forms match each other\n"
    "    -r      PATTERN is a regular expression (at most 80 bytes, as with -w)\n"
    "    -m      PATTERN is a multi-text list: WORD [and|or WORD]...\n"
    "    --no-subdirs          search DIR only\n"
    "    --nontext             search past NUL bytes too\n"
    "    --code WORD           as for convert\n"
    "    --subdir-buffer-kb N  first allocation of the subdirectory list, which grows as the\n"
    "                          tree needs; 10..500 KiB (else 150)\n"
    "    --spec SPEC           a ready search specification, such as '/src/*.c *.h'\n"
    "    --threads N           search with N threads (1..4; default: one per core, at most\n"
    "                          4); the output is the same with any number\n"
    "    --utf8                write UTF-8 with LF line ends, for reading in a terminal\n"
    "    --pattern-sjis        PATTERN is Shift-JIS bytes (else UTF-8 from the terminal)\n"
    "  extract   cut FILE down by the extraction rules as Nelvix's line extraction does, or,\n"
    "            with --global, every file of SPEC as its global extraction does, a tag line\n"
    "            \"PATH(LINE): \" before each block; print the result (Shift-JIS with CR LF) and\n"
    "            the counts on standard error\n"
    "    --rules FILE      the rules of a rule-set record file\n"
    "    --data DATAFILE   the rules kept in a data file; without either option those of the\n"
    "                      program home's nelvix.DAT, or the default rules when it is missing\n"
    "    --global SPEC     the file set, as find --spec takes it, such as '/logs/*.txt'\n"
    "    --no-subdirs      with --global: the directory of SPEC only\n"
    "    --code WORD       as for convert\n"
    "    --utf8            write UTF-8 with LF line ends, for reading in a terminal\n"
    "  html      list, for each file of SPEC (as find --spec takes it, such as\n"
    "            '/www/*.html *.htm') and its subdirectories, a title line \"TITLE PATH\"\n"
    "            and then, as Nelvix's HTML search does:\n"
    "    --title           nothing more: the pages' titles (the default); files without one\n"
    "                      are left out\n"
    "    --links           each link as \"     TEXT TARGET\" (files of at most 128 KiB)\n"
    "    --string S        each line holding S as \"     PATH(LINE): TEXT\"\n"
    "    -i, -w, -r, -m    as for find, for --string\n"
    "    --no-subdirs      the directory of SPEC only\n"
    "    --code WORD       as for convert\n"
    "    --subdir-buffer-kb N, --utf8, --pattern-sjis   as for find\n"
    "  replay    run the operations of the saved operation MACRO (a macro file written by\n"
    "            Nelvix's save-operation dialog) without a window, with the settings of the\n"
    "            program home: a global find prints as find does, a line extraction or a\n"
    "            global extraction as extract does; other operations are passed over\n"
    "    --home DIR        the program home holding MACRO.mac and nelvix.ini (else\n"
    "                      $NELVIX_HOME, or ~/.config/nelvix)\n"
    "    --file FILE       the text a recorded line extraction cuts down\n"
    "    --utf8            write UTF-8 with LF line ends, for reading in a terminal\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read (convert: or was cut at the document's\n"
    "4,000,000 bytes), 2 wrong arguments.\n"
    "find: 0 something was found, 1 nothing was found, 2 wrong arguments (such as a PATTERN\n"
    "over 80 bytes with -r or -w) or trouble (such as subdirectories that could not be listed).\n"
    "extract: 0 something was extracted, 1 nothing was, 2 wrong arguments or rules, trouble,\n"
    "or a result cut short at the result document's limits.\n"
    "html: as find.\n"
    "replay: 0 some operation gave a result, 1 none did, 2 wrong arguments, a macro that\n"
    "cannot be loaded, or an operation that could not run.\n";

constexpr std::string_view kCodeWords = "auto, sjis, jis or euc";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsHelpOption(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

std::string Quoted(std::string_view arg) {
    std::string quoted;
    quoted.reserve(arg.size() + 2);
    quoted += '\'';
    quoted += arg;
    quoted += '\'';
    return quoted;
}

// Reads the option at `arguments[index]`, and its value when it takes one (advancing `index`).
// Returns a usage error, or an empty string.
std::string ParseConvertOption(std::span<const std::string> arguments, std::size_t& index,
                               CliArgs& args) {
    std::string_view arg = arguments[index];
    if (arg == "--utf8") {
        args.utf8 = true;
        return {};
    }
    std::string_view word;
    if (arg == "--code") {
        if (index + 1 >= arguments.size())
            return "--code needs a value: " + std::string(kCodeWords);
        word = arguments[++index];
    } else if (StartsWith(arg, "--code=")) {
        word = arg.substr(std::string_view("--code=").size());
    } else {
        return "unknown option " + Quoted(arg) + " for convert";
    }
    int code = CodeDecisionOfWord(word);
    if (code < 0)
        return "bad --code value " + Quoted(word) + " (use " + std::string(kCodeWords) + ")";
    args.codeDecision = code;
    return {};
}

std::string CheckFileCount(const CliArgs& args) {
    const char* name = args.command == Subcommand::Detect ? "detect" : "convert";
    if (args.files.empty())
        return std::string(name) + ": missing FILE";
    if (args.command == Subcommand::Convert && args.files.size() > 1)
        return "convert takes one FILE, not " + std::to_string(args.files.size());
    return {};
}

ParsedArgs ParseSubcommand(Subcommand command, std::span<const std::string> arguments) {
    ParsedArgs parsed;
    parsed.args.command = command;
    bool optionsEnded = false;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string& arg = arguments[index];
        // A lone "-" is a file name like any other: there is no reading from standard input.
        bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            parsed.args.files.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (IsHelpOption(arg)) {
            return ParsedArgs{CliArgs{}, {}};
        } else if (command == Subcommand::Convert) {
            parsed.error = ParseConvertOption(arguments, index, parsed.args);
        } else {
            parsed.error = "unknown option " + Quoted(arg) + " for detect";
        }
        if (!parsed.ok())
            return parsed;
    }
    parsed.error = CheckFileCount(parsed.args);
    return parsed;
}

ParsedArgs ParseFind(std::span<const std::string> arguments) {
    ParsedArgs parsed;
    parsed.args.command = Subcommand::Find;
    bool helpAsked = false;
    parsed.error = ParseFindArgs(arguments, parsed.args, helpAsked);
    if (helpAsked)
        return ParsedArgs{CliArgs{}, {}};
    return parsed;
}

ParsedArgs ParseHtml(std::span<const std::string> arguments) {
    ParsedArgs parsed;
    parsed.args.command = Subcommand::Html;
    bool helpAsked = false;
    parsed.error = ParseHtmlArgs(arguments, parsed.args, helpAsked);
    if (helpAsked)
        return ParsedArgs{CliArgs{}, {}};
    return parsed;
}

ParsedArgs ParseReplay(std::span<const std::string> arguments) {
    ParsedArgs parsed;
    parsed.args.command = Subcommand::Replay;
    bool helpAsked = false;
    parsed.error = ParseReplayArgs(arguments, parsed.args, helpAsked);
    if (helpAsked)
        return ParsedArgs{CliArgs{}, {}};
    return parsed;
}

ParsedArgs ParseExtract(std::span<const std::string> arguments) {
    ParsedArgs parsed;
    parsed.args.command = Subcommand::Extract;
    bool helpAsked = false;
    parsed.error = ParseExtractArgs(arguments, parsed.args, helpAsked);
    if (helpAsked)
        return ParsedArgs{CliArgs{}, {}};
    return parsed;
}

} // namespace

int CodeDecisionOfWord(std::string_view word) {
    static constexpr std::array<std::string_view, 4> kWords{"auto", "sjis", "jis", "euc"};
    for (std::size_t code = 0; code < kWords.size(); ++code) {
        if (word == kWords[code])
            return static_cast<int>(code);
    }
    return -1;
}

ParsedArgs ParseCliArgs(std::span<const std::string> arguments) {
    if (arguments.empty())
        return ParsedArgs{CliArgs{}, "no subcommand given"};
    std::string_view first = arguments[0];
    if (IsHelpOption(first) || first == "help")
        return ParsedArgs{CliArgs{}, {}};
    if (first == "detect")
        return ParseSubcommand(Subcommand::Detect, arguments);
    if (first == "convert")
        return ParseSubcommand(Subcommand::Convert, arguments);
    if (first == "find")
        return ParseFind(arguments);
    if (first == "extract")
        return ParseExtract(arguments);
    if (first == "html")
        return ParseHtml(arguments);
    if (first == "replay")
        return ParseReplay(arguments);
    if (StartsWith(first, "-"))
        return ParsedArgs{CliArgs{}, "unknown option " + Quoted(first)};
    return ParsedArgs{CliArgs{}, "unknown subcommand " + Quoted(first)};
}

std::string_view UsageText() {
    return kUsage;
}

} // namespace nelvix::cli
