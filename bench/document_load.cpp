// Document load throughput: CKespoDoc::OnOpenDocument over a 4 MB Shift-JIS file with CR LF,
// just under the 4,000,000-byte limit, best of 15 runs, beside one iconv pass over the same
// bytes. Usage: bench_document_load [folder-to-write-the-text-to]
#include <iconv.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "base/cp932.h"
#include "bench_platform.h"
#include "text/text_document.h"
#include "ui/platform.h"

namespace {

using Clock = std::chrono::steady_clock;

/// Japanese prose, source lines and log lines, as a collection holds them.
std::string MakeText(std::size_t targetBytes) {
    const char* const linesUtf8[] = {
        "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
        "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",
        "    if (nCount > MAX_ROWS) { ShowMessage(IDS_TOO_MANY_ROWS); return FALSE; }",
        "2024/05/01 12:34:56 [情報] 検索を開始しました：ディレクトリ C:\\データ\\文書",
        "ｶﾀｶﾅの半角文字と、全角の英数字ＡＢＣ１２３が混じった行です。",
        "// 行の折り返し位置を計算する（タブは次のタブ位置まで進める）",
        "",
        "　春はあけぼの。やうやう白くなりゆく山ぎは、すこしあかりて、紫だちたる雲の細くたなびきたる"
        "。",
    };
    std::vector<std::string> lines;
    for (const char* line : linesUtf8)
        lines.push_back(nelvix::Sjis(line) + "\r\n");
    std::string text;
    text.reserve(targetBytes);
    for (std::size_t i = 0;; ++i) {
        const std::string& line = lines[(i * 5 + i / 7) % lines.size()];
        if (text.size() + line.size() > targetBytes)
            break;
        text += line;
    }
    return text;
}

/// Seconds of the best of `runs` passes of iconv over the text, into one output buffer; a
/// negative value when iconv lacks the conversion.
double TimeIconv(const std::string& text, const char* from, const char* to, int runs) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return -1;
    std::vector<char> output(text.size() * 2 + 16);
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        const auto start = Clock::now();
        iconv(cd, &in, &inLeft, &out, &outLeft);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    iconv_close(cd);
    return best;
}

} // namespace

int main(int argc, char** argv) {
    constexpr int runs = 15;

    nelvix::bench::BenchPlatform bench;
    nelvix::ui::Platform& platform = bench.platform;

    std::string dirTemplate =
        (std::filesystem::temp_directory_path() / "nelvix-bench-XXXXXX").string();
    if (::mkdtemp(dirTemplate.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path dir = dirTemplate;
    const std::string path = (dir / "document.txt").string();
    const std::string text = MakeText(nelvix::kMaxTextBytes - 3);
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    if (argc > 1) {
        const std::string copy = (std::filesystem::path(argv[1]) / "bench.sjis.txt").string();
        std::ofstream(copy, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }

    nelvix::DocumentEnvironment environment{platform};
    // As the program opens a file: the work file is named, the head is examined, and a
    // Shift-JIS CR LF file is then read as it is.
    environment.workFilePath = (dir / "nelvix.bench.wrk").string();

    double bestOpen = 1e9;
    double bestFilter = 1e9;
    bool ok = true;
    for (int run = 0; run < runs; ++run) {
        auto document = nelvix::CKespoDoc::Create(environment);
        const auto start = Clock::now();
        ok = document && document->OnOpenDocument(path) && ok;
        const auto opened = Clock::now();
        document->LoadBytes(reinterpret_cast<const nelvix::Byte*>(text.data()), text.size());
        const auto filtered = Clock::now();
        ok = ok && document->TextLength() == text.size() && document->CanSave();
        bestOpen = std::min(bestOpen, std::chrono::duration<double>(opened - start).count());
        bestFilter = std::min(bestFilter, std::chrono::duration<double>(filtered - opened).count());
    }
    std::filesystem::remove_all(dir);
    if (!ok) {
        std::fprintf(stderr, "the document did not load the text unchanged\n");
        return 1;
    }

    const double megabytes = static_cast<double>(text.size()) / 1e6;
    std::printf("document load, %.2f MB Shift-JIS CR LF, best of %d runs\n", megabytes, runs);
    std::printf("  OnOpenDocument (file)   %8.1f MB/s  (%.2f ms)\n", megabytes / bestOpen,
                bestOpen * 1e3);
    std::printf("  LoadBytes (memory)      %8.1f MB/s  (%.2f ms)\n", megabytes / bestFilter,
                bestFilter * 1e3);
    const double iconvSeconds = TimeIconv(text, "CP932", "CP932", runs);
    if (iconvSeconds > 0)
        std::printf("  iconv CP932 -> CP932    %8.1f MB/s  (%.2f ms)\n", megabytes / iconvSeconds,
                    iconvSeconds * 1e3);
    return 0;
}
