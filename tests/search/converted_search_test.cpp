// A file searched through its conversion in memory gives, byte for byte, the result lines of its
// whole conversion searched as a file: every encoding and line-end kind, NUL bytes, lines longer
// than a chunk, characters and CR LF pairs split at the chunk boundary, every option. A run over
// all of them on workers tells its sink, progress window and message box what one thread does.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "encoding/file_convert.h"
#include "search/global_find_engine.h"
#include "search/search_workers.h"
#include "support/test_files.h"
#include "ui/fake_platform.h"

namespace nelvix {
namespace {

using Lines = std::vector<std::string>;

/// UTF-8 through iconv into `to`, each call ending in the initial shift state.
std::string Encode(const std::string& utf8, const char* to) {
    iconv_t cd = iconv_open(to, "UTF-8");
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

struct Encoding {
    const char* name;
    const char* iconvName; ///< nothing: the UTF-8 lines as they are
    bool ascii;            ///< the lines hold no Japanese
};

const Encoding kEncodings[] = {{"sjis", "CP932", false},
                               {"euc", "EUC-JP", false},
                               {"jis", "ISO-2022-JP", false},
                               {"utf8", nullptr, false},
                               {"ascii", nullptr, true}};

/// The line end after line `i`: `head` before the 4,096-byte head is full, `later` after it,
/// with a stray CR or LF now and then.
struct LineEnds {
    const char* name;
    const char* head;
    const char* later;
    const char* stray;
};

const LineEnds kLineEnds[] = {{"crlf", "\r\n", "\r\n", "\r\n"},
                              {"lf", "\n", "\n", "\n"},
                              {"cr", "\r", "\r", "\r"},
                              {"lfThenCrLf", "\n", "\r\n", "\r"},
                              {"crLfThenLone", "\r\n", "\n", "\r"}};

constexpr std::size_t kHeadBytes = 4096;

std::string Join(const std::vector<std::string>& lines, const Encoding& encoding,
                 const LineEnds& ends) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += encoding.iconvName ? Encode(lines[i], encoding.iconvName) : lines[i];
        text += text.size() < kHeadBytes ? ends.head : i % 7 == 3 ? ends.stray : ends.later;
    }
    return text;
}

/// Lines of every kind the options care for; `ascii` leaves the Japanese out.
std::vector<std::string> MixedLines(bool ascii) {
    const std::string find = ascii ? "kensaku" : "検索", wide = ascii ? "ABC" : "ＡＢＣ";
    const std::string kana = ascii ? "ka" : "あ";
    std::vector<std::string> lines;
    for (int i = 0; i < 1200; ++i) {
        std::string line = "L" + std::to_string(i) + " ";
        for (int k = 0; k < i * 37 % 90; ++k)
            line += i % 3 == 0 ? kana : "x";
        line += i % 4 == 0 ? find + " abc" : i % 4 == 1 ? " AbC " + wide : " xyz";
        if (i % 9 == 0)
            line += " [ERROR] open failed: " + find;
        lines.push_back(line);
    }
    lines[500] += std::string("\0abc ", 5) + find;
    lines[800] = "abc" + std::string(35'000, 'x') + find + "abc";
    for (int k = 0; k < 16'000; ++k)
        lines[900] += kana;
    lines[900] += "abc";
    return lines;
}

/// A first line of `filler` bytes, so that what follows it lands on the chunk boundary.
std::vector<std::string> BoundaryLines(bool ascii, std::size_t filler) {
    const std::string find = ascii ? "kensaku" : "検索";
    return {std::string(filler, 'x') + find, find + " abc", "abc",
            std::string(30'000, 'y') + "abc"};
}

struct OptionCase {
    const char* name;
    std::string pattern;
    std::string_view flags; ///< i: ignore case, w: fold widths, r: regex, m: MultiText, n: NUL
    int codeDecision;
};

class ConvertedSearch : public testing::Test {
protected:
    ConvertedSearch() {
        mkdir(dir.PathOf("raw").c_str(), 0700);
        for (const Encoding& encoding : kEncodings) {
            std::vector<std::pair<std::string, std::vector<std::string>>> bodies;
            bodies.emplace_back("mixed", MixedLines(encoding.ascii));
            for (std::size_t filler = 30'713; filler <= 30'721; ++filler)
                bodies.emplace_back("edge" + std::to_string(filler),
                                    BoundaryLines(encoding.ascii, filler));
            for (const LineEnds& ends : kLineEnds)
                for (const auto& [body, lines] : bodies) {
                    names.push_back(std::string(encoding.name) + "." + ends.name + "." + body);
                    dir.Write("raw/" + names.back(), Join(lines, encoding, ends));
                }
        }
    }

    /// The whole conversion (as a document makes it) written once to `rf<code>/name`, a path as
    /// long as the raw file's, so that the result lines are cut alike.
    std::string Reference(const std::string& name, int codeDecision) {
        const std::string folder = "rf" + std::to_string(codeDecision);
        const std::string path = dir.PathOf(folder + "/" + name);
        if (!references.insert(path).second)
            return path;
        mkdir(dir.PathOf(folder).c_str(), 0700);
        const std::string raw = dir.PathOf("raw/" + name);
        const std::optional<ConvertedText> converted =
            ConvertFileToSjis(fake.platform, raw, codeDecision);
        return dir.Write(folder + "/" + name,
                         converted
                             ? std::string(reinterpret_cast<const char*>(converted->text.begin()),
                                           converted->text.size)
                             : test::ReadFileBytes(raw));
    }

    /// Every result line, with the folder of the path cut off.
    Lines FindAll(const std::string& path, const OptionCase& option, std::string workFile) {
        EngineEnvironment environment{fake.platform, std::move(workFile), option.codeDecision,
                                      option.flags.find('m') != std::string_view::npos,
                                      option.flags.find('n') != std::string_view::npos};
        GlobalFindEngine engine(environment);
        engine.Options().caseSensitive = option.flags.find('i') == std::string_view::npos;
        engine.Options().widthSensitive = option.flags.find('w') == std::string_view::npos;
        engine.Options().regularExpression = option.flags.find('r') != std::string_view::npos;
        Lines lines;
        const std::size_t folder = dir.Path().size() + 4;
        for (auto line = engine.FindFirstInFile(path, option.pattern); line;
             line = engine.FindNextInFile(option.pattern))
            lines.emplace_back(line->substr(folder));
        return lines;
    }

    /// Everything a run over every file told its sink, progress window and message box.
    struct RunLog final : ResultSink, SearchProgress {
        explicit RunLog(ui::FakeMessageBox& box) : messageBox(box) {}
        bool Add(std::string_view line) override {
            Note("line " + std::string(line));
            return ++lines != refuseLine;
        }
        void ShowFileName(std::string_view name) override { Note("file " + std::string(name)); }
        void ShowHitCount(std::uint32_t hits) override { Note("hits " + std::to_string(hits)); }
        bool StopRequested() override { return ++checks == stopAtCheck; }
        void Note(std::string event) {
            for (; messagesSeen < messageBox.shown.size(); ++messagesSeen)
                events.push_back("message " + std::to_string(messageBox.shown[messagesSeen].id));
            events.push_back(std::move(event));
        }

        ui::FakeMessageBox& messageBox;
        std::vector<std::string> events;
        std::size_t messagesSeen = 0;
        std::size_t lines = 0;
        std::size_t refuseLine = 0;
        int checks = 0;
        int stopAtCheck = 0;
    };

    std::vector<std::string> RunOverAll(const OptionCase& option, unsigned workers,
                                        std::size_t refuseLine = 0, int stopAtCheck = 0) {
        EngineEnvironment environment{.platform = fake.platform,
                                      .workFilePath = dir.PathOf("work.wrk"),
                                      .codeDecision = option.codeDecision,
                                      .multiText = option.flags.find('m') != std::string_view::npos,
                                      .searchWorkers = workers};
        GlobalFindEngine engine(environment);
        engine.Options().caseSensitive = option.flags.find('i') == std::string_view::npos;
        engine.Options().regularExpression = option.flags.find('r') != std::string_view::npos;
        fake.messageBox.shown.clear();
        RunLog log(fake.messageBox);
        log.refuseLine = refuseLine;
        log.stopAtCheck = stopAtCheck;
        const GlobalFindCounts counts =
            RunGlobalFind(engine, dir.Path() + "/*.*", option.pattern, 150 * 1024, log, log);
        log.Note("counts " + std::to_string(counts.filesSearched) + " " +
                 std::to_string(counts.hits) + (counts.stopped ? " stopped" : ""));
        return log.events;
    }

    test::TempDir dir;
    ui::FakePlatform fake;
    std::vector<std::string> names;
    std::set<std::string> references;
};

TEST_F(ConvertedSearch, GivesTheResultLinesOfTheWholeConversion) {
    const OptionCase options[] = {
        {"Plain", Sjis("検索"), "", 0},
        {"PlainAscii", "kensaku", "", 0},
        {"IgnoreCase", "abc", "i", 0},
        {"FoldWidths", Sjis("ＡＢＣ"), "w", 0},
        {"Regex", Sjis("^L[0-9]+ .*(abc|検索)$"), "r", 0},
        {"RegexError", "ERROR\\] [a-z]+ [a-z]+:", "r", 0},
        {"MultiText", Sjis("検索 and xyz"), "m", 0},
        {"NonText", "abc", "n", 0},
        {"CodeEuc", "abc", "", 3},
        {"CodeShiftJis", Sjis("検索"), "", 1},
    };
    const std::string workFile = dir.PathOf("work.wrk");
    std::size_t compared = 0;
    for (const OptionCase& option : options) {
        for (const std::string& name : names) {
            const Lines expected = FindAll(Reference(name, option.codeDecision), option, "");
            const Lines found = FindAll(dir.PathOf("raw/" + name), option, workFile);
            const auto differ =
                std::mismatch(found.begin(), found.end(), expected.begin(), expected.end());
            EXPECT_TRUE(found == expected)
                << option.name << " " << name << ": " << found.size() << " lines for "
                << expected.size() << ", first differing "
                << (differ.first != found.end() ? *differ.first : "(none)") << " for "
                << (differ.second != expected.end() ? *differ.second : "(none)");
            compared += expected.size();
        }
    }
    EXPECT_GT(compared, 50'000u) << "the cases find something";
    EXPECT_TRUE(test::ReadFileBytes(workFile).empty()) << "a search writes no work file";
}

TEST_F(ConvertedSearch, WorkersHandOnWhatOneThreadGives) {
    struct RunCase {
        const char* name;
        OptionCase option;
        std::size_t refuseLine = 0;
        int stopAtCheck = 0;
        std::size_t failAboveBytes = 0;
    };
    const OptionCase plain{"Plain", Sjis("検索"), "", 0};
    const RunCase cases[] = {
        {"Plain", plain},
        {"IgnoreCase", {"IgnoreCase", "abc", "i", 0}},
        {"Regex", {"Regex", Sjis("^L[0-9]+ .*(abc|検索)$"), "r", 0}},
        {"MultiText", {"MultiText", Sjis("検索 and xyz"), "m", 0}},
        {"SinkRefusesTheFirstLine", plain, 1},
        {"SinkRefusesALineInTheMiddle", plain, 4'000},
        {"StopAtTheFirstFilesCheck", plain, 0, 5},
        {"StopAfterSomeFiles", plain, 0, 2'500},
        // Conversions of the larger files fail: their message comes before their lines.
        {"MessagesInFileOrder", plain, 0, 0, 100'000},
    };
    for (const RunCase& c : cases) {
        fake.memory.failAboveBytes = c.failAboveBytes;
        const std::vector<std::string> one = RunOverAll(c.option, 0, c.refuseLine, c.stopAtCheck);
        ASSERT_GT(one.size(), 2u) << c.name;
        for (const unsigned workers : {2u, kMaxSearchWorkers}) {
            const std::vector<std::string> pooled =
                RunOverAll(c.option, workers, c.refuseLine, c.stopAtCheck);
            const auto differ = std::mismatch(pooled.begin(), pooled.end(), one.begin(), one.end());
            EXPECT_TRUE(pooled == one)
                << c.name << " on " << workers << " workers: " << pooled.size() << " events for "
                << one.size() << ", first differing "
                << (differ.first != pooled.end() ? differ.first->substr(0, 120) : "(none)")
                << " for "
                << (differ.second != one.end() ? differ.second->substr(0, 120) : "(none)");
        }
        if (c.failAboveBytes != 0) {
            EXPECT_NE(std::find_if(one.begin(), one.end(),
                                   [](const std::string& e) { return e.starts_with("message"); }),
                      one.end());
        }
    }
}

} // namespace
} // namespace nelvix
