// Text layout: laying a 4,000,000-byte Shift-JIS text out into rows from scratch (CPL 200, best
// of 15 runs), and appending 50,000 result lines one by one as a global find does, timing the
// first and the last 10,000 appends. Usage: bench_layout
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "base/sjis.h"
#include "bench_platform.h"
#include "render/row_layout.h"
#include "text/text_document.h"
#include "ui/platform.h"

namespace {

using Clock = std::chrono::steady_clock;

/// Japanese prose, source lines and log lines, three to a line so that the 60,000 rows hold the
/// whole text, cycled up to `targetBytes`.
std::string MakeText(std::size_t targetBytes) {
    const char* const linesUtf8[] = {
        "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
        "    if (nCount > MAX_ROWS) { ShowMessage(IDS_TOO_MANY_ROWS); return FALSE; }",
        "2024/05/01 12:34:56 [情報] 検索を開始しました：ディレクトリ C:\\データ\\文書",
        "ｶﾀｶﾅの半角文字と、全角の英数字ＡＢＣ１２３が混じった行です。\tタブの後ろ",
        "　春はあけぼの。やうやう白くなりゆく山ぎは、すこしあかりて、紫だちたる雲の細くたなびきたる"
        "。",
    };
    std::vector<std::string> lines;
    for (const char* line : linesUtf8)
        lines.push_back(nelvix::Sjis(line));
    std::string text;
    text.reserve(targetBytes);
    for (std::size_t i = 0;; ++i) {
        std::string line;
        for (std::size_t j = 0; j < 3; ++j)
            line += lines[(i * 5 + j + i / 7) % lines.size()];
        line += "\r\n";
        if (text.size() + line.size() > targetBytes)
            break;
        text += line;
    }
    return text;
}

nelvix::LayoutText TextOf(const std::string& text) {
    return {reinterpret_cast<const nelvix::Byte*>(text.data()),
            static_cast<std::uint32_t>(text.size()), 0};
}

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

int main() {
    nelvix::bench::BenchPlatform bench;
    nelvix::ui::Platform& platform = bench.platform;

    constexpr int runs = 15;
    const std::string text = MakeText(nelvix::kMaxTextBytes - 3);
    std::printf("layout, %zu bytes of Shift-JIS, CPL 200, best of %d runs\n", text.size(), runs);
    for (const bool wordWrap : {false, true}) {
        const nelvix::LayoutRules rules{200, 4, wordWrap};
        double best = 1e9;
        nelvix::RowTable rows;
        for (int run = 0; run < runs; ++run) {
            rows.SetCount(0);
            const auto start = Clock::now();
            nelvix::RebuildRows(platform, TextOf(text), rules, rows, 0,
                                static_cast<std::uint32_t>(text.size()), 0, 0);
            best = std::min(best, Seconds(start, Clock::now()));
        }
        std::printf("  whole text, word wrap %-3s  %6.2f ms  (%u rows)\n", wordWrap ? "on" : "off",
                    best * 1e3, rows.Count());
    }

    // Result lines as a global find writes them.
    constexpr int appends = 50'000;
    constexpr int slice = 10'000;
    std::vector<std::string> lines;
    for (int i = 0; i < 7; ++i)
        lines.push_back(nelvix::Sjis("/home/user/データ/文書" + std::to_string(i) + ".txt(") +
                        std::to_string(100 + i * 37) +
                        nelvix::Sjis("): 　検索の結果の行です。ABC def\r\n"));
    std::string result;
    result.reserve(nelvix::kMaxTextBytes);
    nelvix::RowTable rows;
    const nelvix::LayoutRules rules{200, 4, false};
    double first = 0;
    double last = 0;
    for (int i = 0; i < appends; ++i) {
        const auto start = Clock::now();
        const nelvix::LayoutText old = TextOf(result);
        const std::uint32_t firstRow = nelvix::RebuildStartRow(old, rules, rows, old.length);
        const std::uint32_t firstStart = nelvix::RowStart(old, rows, firstRow);
        const std::string& line = lines[static_cast<std::size_t>(i) % lines.size()];
        result += line;
        nelvix::RebuildRows(platform, TextOf(result), rules, rows, old.length,
                            static_cast<std::uint32_t>(line.size()), firstRow, firstStart);
        const double seconds = Seconds(start, Clock::now());
        if (i < slice)
            first += seconds;
        else if (i >= appends - slice)
            last += seconds;
    }
    std::printf("appending %d result lines one by one (%u rows, %zu bytes)\n", appends,
                rows.Count(), result.size());
    std::printf("  first %d appends  %6.2f ms\n", slice, first * 1e3);
    std::printf("  last %d appends   %6.2f ms  (%.2f x the first)\n", slice, last * 1e3,
                last / first);
    return 0;
}
