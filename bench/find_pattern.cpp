// Plain search throughput: FindPattern over a 4 MB Shift-JIS text with CR LF for a frequent, a
// rare and an absent literal, one hit per line as a search reports them, beside the same search
// with widths folded and glibc memmem (which does less: it may match on a trail byte).
// Usage: bench_find_pattern
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "base/cp932.h"
#include "pattern/find_pattern.h"

namespace {

using nelvix::Byte;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kTextBytes = 4'000'000;
constexpr int kRuns = 15;

const char* const kLines[] = {
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
    "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",
    "    if (nCount > MAX_ROWS) { ShowMessage(IDS_TOO_MANY_ROWS); return FALSE; }",
    "2024/05/01 12:34:56 [情報] 検索処理を開始しました：ディレクトリ /home/データ/文書",
    "2024/05/01 12:34:57 [警告] ファイルを開けません。アクセスが拒否されました。",
    "春はあけぼの。やうやう白くなりゆく山ぎは、少しあかりて、紫だちたる雲の細くたなびきたる。",
    "ﾃﾞｰﾀﾍﾞｰｽの設定を変更しました（ＩＤ：１２３４５）。",
    "「処理が完了しました」と表示されたら、ＯＫボタンを押してください。",
    "// 全角ＡＢＣと半角ABCを区別して比較する。戻り値は一致した位置。",
    "",
};

/// Lines drawn from kLines by a fixed sequence; every 4,000th line holds the rare word.
std::string MakeText() {
    std::string line[std::size(kLines)];
    for (std::size_t i = 0; i < std::size(kLines); ++i)
        line[i] = nelvix::Sjis(kLines[i]) + "\r\n";
    const std::string rare = nelvix::Sjis("検索対象の語句が一度だけ現れる行") + "\r\n";
    std::string text;
    std::uint32_t state = 2463534242u;
    for (std::size_t n = 0; text.size() < kTextBytes; ++n) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        text += n % 4'000 == 3'999 ? rare : line[state % std::size(kLines)];
    }
    return text;
}

/// Hits counted the way a search reports them: after a hit it goes on at the next line.
template <typename Find> std::size_t CountLines(const std::string& text, Find find) {
    const auto* begin = reinterpret_cast<const Byte*>(text.data());
    const Byte* end = begin + text.size();
    std::size_t hits = 0;
    for (const Byte* from = begin; from < end;) {
        const Byte* hit = find(from, end);
        if (hit == nullptr)
            break;
        ++hits;
        const void* lf = std::memchr(hit, nelvix::kLf, static_cast<std::size_t>(end - hit));
        from = lf != nullptr ? static_cast<const Byte*>(lf) + 1 : end;
    }
    return hits;
}

template <typename Find> void Time(const char* name, const std::string& text, Find find) {
    double best = 1e9;
    std::size_t hits = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        hits = CountLines(text, find);
        const std::chrono::duration<double> took = Clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("  %-44s %8.0f MB/s  %7zu lines\n", name,
                static_cast<double>(text.size()) / best / 1e6, hits);
}

void Compare(const std::string& text, const char* label, const std::string& pattern,
             bool caseSensitive) {
    std::printf("%s:\n", label);
    nelvix::SearchOptions options;
    options.caseSensitive = caseSensitive;
    Time("FindPattern (plain)", text, [&](const Byte* from, const Byte* end) -> const Byte* {
        const auto match = nelvix::FindPattern(from, end, pattern, options, true);
        return match ? from + match->offset : nullptr;
    });
    nelvix::SearchOptions folded = options;
    folded.widthSensitive = false;
    Time("FindPattern (widths folded: the slow path)", text,
         [&](const Byte* from, const Byte* end) -> const Byte* {
             const auto match = nelvix::FindPattern(from, end, pattern, folded, true);
             return match ? from + match->offset : nullptr;
         });
    if (!caseSensitive)
        return;
    Time("glibc memmem (trail bytes not checked)", text,
         [&](const Byte* from, const Byte* end) -> const Byte* {
             return static_cast<const Byte*>(memmem(from, static_cast<std::size_t>(end - from),
                                                    pattern.data(), pattern.size()));
         });
}

} // namespace

int main() {
    const std::string text = MakeText();
    std::printf("%zu bytes of Shift-JIS text with CR LF, best of %d runs\n", text.size(), kRuns);
    Compare(text, "frequent \"処理\" (case-sensitive)", nelvix::Sjis("処理"), true);
    Compare(text, "rare \"検索対象\" (case-sensitive)", nelvix::Sjis("検索対象"), true);
    Compare(text, "absent \"存在しない語句\" (case-sensitive)", nelvix::Sjis("存在しない語句"),
            true);
    Compare(text, "absent ASCII \"segfault\" (case-sensitive)", "segfault", true);
    Compare(text, "frequent ASCII \"abc\" (case-insensitive)", "abc", false);
    Compare(text, "absent ASCII \"segfault\" (case-insensitive)", "segfault", false);
    return 0;
}
