// Conversion throughput: the project's EUC-JP, JIS and UTF-8 converters beside glibc iconv on
// the same 2 MiB texts. Usage: bench_convert [folder-to-write-the-texts-to]
#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "encoding/convert.h"
#include "encoding/text_code.h"

namespace {

using nelvix::Byte;
using nelvix::LineEndKind;

constexpr std::size_t kTextBytes = 2 * 1024 * 1024;
constexpr int kRuns = 15;

// Pieces of ordinary Japanese prose, logs and code comments; JIS X 0208 characters only, so
// that every encoding (and iconv's EUC-JP and ISO-2022-JP) can hold them.
const char* const kPhrases[] = {"今日は",
                                "東京都",
                                "の天気",
                                "は晴れ",
                                "でした。",
                                "明日の会議",
                                "について、",
                                "資料を",
                                "準備して",
                                "ください。",
                                "検索結果",
                                "が見つかりません",
                                "ファイル",
                                "を開きます",
                                "データベース",
                                "の設定",
                                "変更",
                                "しました",
                                "ログイン",
                                "ユーザー名",
                                "パスワード",
                                "確認",
                                "日本語",
                                "の文章",
                                "全角ＡＢＣ",
                                "記号「」",
                                "『引用』",
                                "・",
                                "ー",
                                "漢字かな交じり",
                                "文字列",
                                "の長さ",
                                "を数える",
                                "エラー",
                                "警告",
                                "情報",
                                "処理",
                                "完了",
                                "開始",
                                "終了",
                                "第一章",
                                "吾輩は猫である。",
                                "名前はまだ無い。",
                                "どこで生れたか",
                                "とんと見当がつかぬ。",
                                "春はあけぼの。",
                                "やうやう白くなりゆく",
                                "山ぎは",
                                "少しあかりて",
                                "紫だちたる雲",
                                "細くたなびきたる。",
                                "、",
                                "。",
                                "（注）",
                                "【重要】",
                                "１２３"};

const char* const kAsciiWords[] = {"int",        "return",   "NULL",
                                   "2026-12-06", "09:00:01", "[INFO]",
                                   "[WARN]",     "count",    "http://example.jp/",
                                   "0x1F",       "Nelvix",   "README.TXT",
                                   "i++",        "{",        "}",
                                   "//",         "=",        "42",
                                   "ok"};

/// Deterministic text of mixed lines (kanji, kana, ASCII), LF line ends, about `bytes` long.
std::string MakeUtf8Text(std::size_t bytes) {
    std::string text;
    std::uint32_t state = 2463534242u;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    while (text.size() < bytes) {
        const std::uint32_t kind = next() % 4;
        const std::uint32_t pieces = 3 + next() % 12;
        for (std::uint32_t i = 0; i < pieces; ++i) {
            const bool ascii = kind == 0 ? next() % 3 != 0 : next() % 6 == 0;
            if (ascii) {
                text += kAsciiWords[next() % std::size(kAsciiWords)];
                text += ' ';
            } else {
                text += kPhrases[next() % std::size(kPhrases)];
            }
        }
        text += '\n';
    }
    // Cut at the last line end that fits, so that the text stays well-formed.
    text.resize(text.rfind('\n', bytes - 1) + 1);
    return text;
}

/// The whole text through iconv; empty when iconv refused something (it never should here).
std::string IconvAll(const char* to, const char* from, const std::string& input) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string output(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const bool ok = iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1) &&
                    iconv(cd, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok)
        return {};
    output.resize(output.size() - outLeft);
    return output;
}

/// Best time of kRuns runs, in seconds.
double BestSeconds(const std::function<std::size_t()>& run, std::size_t& outputBytes) {
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        outputBytes = run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void Report(const char* name, std::size_t inputBytes, double seconds, std::size_t outputBytes) {
    std::printf("  %-34s %8.1f MB/s  (%.3f ms, %zu -> %zu bytes)\n", name,
                static_cast<double>(inputBytes) / seconds / 1e6, seconds * 1e3, inputBytes,
                outputBytes);
}

using Converter = std::size_t (*)(const Byte*, Byte*, std::size_t, LineEndKind);

std::size_t ConvertUtf8(const Byte* src, Byte* dest, std::size_t length, LineEndKind lineEnd) {
    bool lossy = false;
    return nelvix::ConvertUtf8ToSjis(src, dest, length, lineEnd, lossy);
}

/// Times one project converter and iconv on the same text.
void Compare(const char* label, const std::string& text, Converter convert, const char* converter,
             const char* iconvFrom, const char* iconvTo) {
    std::printf("%s, %zu bytes:\n", label, text.size());
    const auto* src = reinterpret_cast<const Byte*>(text.data());
    std::unique_ptr<Byte[]> dest(new Byte[2 * text.size() + 1]);
    std::size_t outputBytes = 0;

    double seconds = BestSeconds(
        [&] { return convert(src, dest.get(), text.size(), LineEndKind::Lf); }, outputBytes);
    Report((std::string(converter) + " (LF -> CR LF)").c_str(), text.size(), seconds, outputBytes);
    seconds = BestSeconds([&] { return convert(src, dest.get(), text.size(), LineEndKind::CrLf); },
                          outputBytes);
    Report((std::string(converter) + " (line ends kept)").c_str(), text.size(), seconds,
           outputBytes);

    const iconv_t cd = iconv_open(iconvTo, iconvFrom);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::printf("  iconv %s -> %s is not available\n", iconvFrom, iconvTo);
        return;
    }
    seconds = BestSeconds(
        [&] {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char* in = const_cast<char*>(text.data());
            std::size_t inLeft = text.size();
            char* out = reinterpret_cast<char*>(dest.get());
            std::size_t outLeft = 2 * text.size() + 1;
            iconv(cd, &in, &inLeft, &out, &outLeft);
            return 2 * text.size() + 1 - outLeft;
        },
        outputBytes);
    iconv_close(cd);
    Report((std::string("iconv ") + iconvFrom + " -> " + iconvTo).c_str(), text.size(), seconds,
           outputBytes);
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    // The texts: one UTF-8 text, and the same text in EUC-JP and JIS by iconv, each cut to 2 MiB.
    const std::string utf8 = MakeUtf8Text(kTextBytes);
    std::string euc = IconvAll("EUC-JP", "UTF-8", MakeUtf8Text(kTextBytes * 2));
    std::string jis = IconvAll("ISO-2022-JP", "UTF-8", MakeUtf8Text(kTextBytes * 2));
    if (euc.empty() || jis.empty()) {
        std::fprintf(stderr, "iconv could not make the EUC-JP and JIS texts\n");
        return 1;
    }
    // Twice the UTF-8 length is more than 2 MiB in EUC-JP and JIS; cut at a line end (in JIS
    // every line ends in ASCII mode, so the cut text is well-formed).
    euc.resize(euc.rfind('\n', kTextBytes - 1) + 1);
    jis.resize(jis.rfind('\n', kTextBytes - 1) + 1);

    if (argc > 1) {
        const std::string folder = argv[1];
        if (!WriteFile(folder + "/bench.euc.txt", euc) ||
            !WriteFile(folder + "/bench.jis.txt", jis) ||
            !WriteFile(folder + "/bench.utf8.txt", utf8)) {
            std::fprintf(stderr, "cannot write the texts to %s\n", folder.c_str());
            return 1;
        }
        std::printf("wrote bench.euc.txt, bench.jis.txt, bench.utf8.txt to %s\n", folder.c_str());
    }

    std::printf("best of %d runs; MB/s are 10^6 input bytes per second\n", kRuns);
    Compare("EUC-JP", euc, nelvix::ConvertEucToSjis, "ConvertEucToSjis", "EUC-JP", "SHIFT_JIS");
    Compare("JIS", jis, nelvix::ConvertJisToSjis, "ConvertJisToSjis", "ISO-2022-JP", "SHIFT_JIS");
    Compare("UTF-8", utf8, ConvertUtf8, "ConvertUtf8ToSjis", "UTF-8", "CP932");
    return 0;
}
