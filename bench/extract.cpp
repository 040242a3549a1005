// Extraction speed: line extraction of a 4 MB mail log with the default rules, and global
// extraction with the default rules over a folder (the corpus of bench/make_corpus.py) beside
// `nelvix-cli find` for the start string over the same folder.
// Usage: bench_extract [CORPUS_DIR]   (RUNS sets the runs of the global part, default 5)
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp932.h"
#include "bench_platform.h"
#include "extract/extraction_engine.h"
#include "search/global_find_engine.h"
#include "ui/frame_services.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/// Processor seconds (user and system) of this process.
double ProcessorSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

/// Processor seconds (user and system) of the finished child processes.
double ChildProcessorSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// Wall-clock and processor seconds of one run.
struct Timing {
    double wall = 0;
    double processor = 0;
};

/// A pseudo-random sequence with a fixed seed, so that every run builds the same text.
class Sequence {
public:
    std::size_t Next(std::size_t bound) {
        m_state = m_state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<std::size_t>(m_state >> 33) % bound;
    }

private:
    std::uint64_t m_state = 1;
};

/// A mail program's session log of about `targetBytes`: mails with a sender, a subject, a body
/// broken by continuation prompts, and the menu after each.
std::string MakeMailLog(std::size_t targetBytes) {
    const std::string menu =
        nelvix::Sjis("電子メール（1:受信\u30002:送信\u30003:送信簿\u30000:その他\u3000E:終了）");
    const std::string after =
        nelvix::Sjis("受信後 (1:削除  2:保存  3:返信  4:返信＋削除  5:転送  6:転送＋削除  E:終了)");
    const std::string more = nelvix::Sjis("続き (改行で表示\u3000E:終了)");
    const std::vector<std::string> senders = {nelvix::Sjis("差出人：山田 太郎"),
                                              nelvix::Sjis("差出人：佐藤 花子"),
                                              nelvix::Sjis("差出人：鈴木 一郎")};
    const std::vector<std::string> subjects = {nelvix::Sjis("    題名：会議の日程について"),
                                               nelvix::Sjis("    題名：報告書の送付"),
                                               nelvix::Sjis("    題名：Re: 来週の予定")};
    std::vector<std::string> body;
    for (const char* line :
         {"お世話になっております。来週の会議の資料を送付いたします。",
          "ご確認のほど、よろしくお願いいたします。", "",
          "  日時：5月12日（月）10:00～12:00  場所：本社 3階 第2会議室",
          "> 前回の議事録は共有フォルダに置いてあります。", "以上、よろしくお願いします。",
          "----------------------------------------------------------------"})
        body.push_back(nelvix::Sjis(line));

    Sequence sequence;
    std::string text;
    text.reserve(targetBytes + 4096);
    const auto add = [&](const std::string& line) { text.append(line).append("\r\n"); };
    while (text.size() < targetBytes) {
        add(menu);
        add("1");
        add(senders[sequence.Next(senders.size())]);
        add(subjects[sequence.Next(subjects.size())]);
        const std::size_t lines = 5 + sequence.Next(40);
        for (std::size_t i = 0; i < lines; ++i) {
            add(body[sequence.Next(body.size())]);
            if (i % 20 == 19) {
                add(more);
                add("");
            }
        }
        add(after);
    }
    return text;
}

/// The lines of a text held in memory.
class BufferText final : public nelvix::ExtractionText {
public:
    explicit BufferText(const std::string& text) : m_text(text) {
        for (std::size_t at = 0; at < text.size();) {
            m_starts.push_back(at);
            const std::size_t lf = text.find('\n', at);
            at = lf == std::string::npos ? text.size() : lf + 1;
        }
        m_starts.push_back(text.size());
    }
    std::size_t LineCount() const override { return m_starts.size() - 1; }
    std::optional<std::string_view> Line(std::size_t line) override {
        return std::string_view(m_text).substr(m_starts[line], m_starts[line + 1] - m_starts[line]);
    }

private:
    const std::string& m_text;
    std::vector<std::size_t> m_starts;
};

/// Takes the result and keeps only its size, as a result nobody looks at.
class NullResult final : public nelvix::ExtractionResult {
public:
    bool Append(std::string_view piece, bool) override {
        bytes += piece.size();
        ++pieces;
        return true;
    }
    bool Fits(std::size_t) const override { return true; }
    void Refresh(bool) override {}
    std::size_t bytes = 0;
    std::size_t pieces = 0;
};

class NullProgressWindow final : public nelvix::ui::ProgressWindow {
public:
    void OpenGroups(std::string_view, const std::vector<std::string>&,
                    const std::vector<nelvix::ui::ProgressGroup>&, std::string_view) override {}
    void SetValue(std::size_t, std::string_view) override {}
    bool StopRequested() override { return false; }
    void Close() override {}
};

class NullCountsDialog final : public nelvix::ui::CountsDialog {
public:
    void Show(const nelvix::ui::CountsReport&) override {}
};

class NullGlobalProgress final : public nelvix::GlobalExtractionProgress {
public:
    void ShowFileName(std::string_view) override {}
    void AddCounts(std::uint32_t, std::uint32_t) override {}
    bool StopRequested() override { return false; }
};

void LineExtraction(nelvix::bench::BenchPlatform& bench) {
    constexpr int runs = 15;
    const std::string text = MakeMailLog(3'990'000);
    BufferText source(text);
    NullProgressWindow progress;
    NullCountsDialog counts;
    std::printf("line extraction, default rules, %.2f MB mail log (%zu lines), best of %d\n",
                static_cast<double>(text.size()) / 1e6, source.LineCount(), runs);
    for (const bool silent : {true, false}) {
        nelvix::ExtractionRuleSet ruleSet(bench.platform);
        ruleSet.Rules().hideWhileExtracting = silent;
        double best = 1e9;
        NullResult result;
        // One run first, so that the arrays' first touch of fresh memory is not timed.
        ruleSet.ExtractFromText(source, result, progress, counts);
        for (int run = 0; run < runs; ++run) {
            result = NullResult();
            const auto start = Clock::now();
            ruleSet.ExtractFromText(source, result, progress, counts);
            best = std::min(best, Seconds(start));
        }
        const nelvix::ExtractionCounts& c = ruleSet.Counts();
        std::printf("  %-28s %7.2f ms  %8.1f MB/s  (%u kept by step 1, %u blocks, %u lines "
                    "written, %.2f MB)\n",
                    silent ? "appended silently" : "displayed (events pumped)", best * 1e3,
                    static_cast<double>(text.size()) / 1e6 / best, c.step1Count, c.step2BlockCount,
                    c.outCount, static_cast<double>(result.bytes) / 1e6);
    }
}

/// A work file in a folder held in memory, as nelvix-cli makes its own.
std::string MakeWorkFile() {
    const std::string folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string path = folder + "/nelvix-bench-XXXXXX.wrk";
    const int fd = ::mkstemps(path.data(), 4);
    if (fd < 0)
        return {};
    ::close(fd);
    return path;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

/// One `nelvix-cli find` of the start string over the folder; nothing is found, so the output
/// is empty.
Timing TimeFind(const std::string& corpus) {
#ifdef NELVIX_CLI_PATH
    const std::string command = std::string("'") + NELVIX_CLI_PATH + "' find '    題名：' '" +
                                corpus + "' > /dev/null 2>&1";
    const double processor = ChildProcessorSeconds();
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    static_cast<void>(status);
    return {Seconds(start), ChildProcessorSeconds() - processor};
#else
    static_cast<void>(corpus);
    return {};
#endif
}

void GlobalExtraction(nelvix::bench::BenchPlatform& bench, const std::string& corpus, int runs) {
    const std::string workFile = MakeWorkFile();
    nelvix::EngineEnvironment environment{.platform = bench.platform, .workFilePath = workFile};
    nelvix::GlobalFindEngine engine(environment);
    nelvix::ExtractionRuleSet ruleSet(bench.platform);
    NullGlobalProgress progress;
    std::vector<double> extraction, extractionProcessor, find, findProcessor;
    nelvix::GlobalExtractionCounts counts;
    NullResult result;
    // The two alternate, so that a machine busy with other work weighs on both alike.
    for (int run = 0; run < runs; ++run) {
        result = NullResult();
        const double processor = ProcessorSeconds();
        const auto start = Clock::now();
        counts = nelvix::RunGlobalExtraction(ruleSet, engine, corpus + "/*.*", true, 150 * 1024,
                                             result, progress);
        extraction.push_back(Seconds(start));
        extractionProcessor.push_back(ProcessorSeconds() - processor);
        const Timing timing = TimeFind(corpus);
        find.push_back(timing.wall);
        findProcessor.push_back(timing.processor);
    }
    std::filesystem::remove(workFile);
    std::printf("global extraction, default rules, %s/*.*, subdirectories, median of %d "
                "(wall-clock s, processor s)\n",
                corpus.c_str(), runs);
    std::printf("  RunGlobalExtraction            %7.3f (best %.3f)  %6.3f  %u files, %u step-1 "
                "matches, %u blocks, %zu pieces\n",
                Median(extraction), Best(extraction), Median(extractionProcessor),
                counts.filesProcessed, counts.step1Matches, counts.step2Blocks, result.pieces);
#ifdef NELVIX_CLI_PATH
    std::printf("  nelvix-cli find \"    題名：\"    %7.3f (best %.3f)  %6.3f\n", Median(find),
                Best(find), Median(findProcessor));
    std::printf("  extraction / find              %7.2f               %6.2f  (goal: at most 2)\n",
                Median(extraction) / Median(find),
                Median(extractionProcessor) / Median(findProcessor));
#endif
}

} // namespace

int main(int argc, char** argv) {
    nelvix::bench::BenchPlatform bench;
    LineExtraction(bench);
    if (argc > 1) {
        const char* runsText = std::getenv("RUNS");
        const int runs = runsText != nullptr ? std::max(1, std::atoi(runsText)) : 5;
        GlobalExtraction(bench, argv[1], runs);
    }
    return 0;
}
