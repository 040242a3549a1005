// The document window on screen: a 4 MB Shift-JIS file opened until its first screen is painted
// into the widgets, and a Page Down repainted, on Qt's offscreen platform.
// Usage: bench_text_window_qt [folder-to-write-the-text-to]
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "base/cp932.h"
#include "bench_platform.h"
#include "qt/textview/document_window.h"
#include "store/cabinet.h"
#include "text/document_list.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

/// Japanese prose, C source with comments, log lines, tables and half-width katakana; two
/// pieces a line, so that lines average about 150 bytes and the text stays under the row limit.
std::string MakeText(std::size_t targetBytes) {
    const char* const piecesUtf8[] = {
        "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
        "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",
        "    if (nCount > MAX_ROWS) { ShowMessage(IDS_TOO_MANY_ROWS); return FALSE; }",
        "2024/05/01 12:34:56 [情報] 検索を開始しました：ディレクトリ /データ/文書",
        "ｶﾀｶﾅの半角文字と、全角の英数字ＡＢＣ１２３が混じった行です。",
        "// 行の折り返し位置を計算する（タブは次のタブ位置まで進める）",
        "\t項目\t値\t備考",
        "　春はあけぼの。やうやう白くなりゆく山ぎは、すこしあかりて、紫だちたる雲の細くたなびきたる"
        "。",
        "static int count(const char* s) { int n = 0; while (*s++) n++; return n; } /* 数える */",
    };
    std::vector<std::string> pieces;
    for (const char* piece : piecesUtf8)
        pieces.push_back(nelvix::Sjis(piece));
    std::string text;
    text.reserve(targetBytes);
    for (std::size_t i = 0;; ++i) {
        const std::string line = pieces[(i * 5 + i / 7) % pieces.size()] + " " +
                                 pieces[(i * 3 + 1) % pieces.size()] + "\r\n";
        if (text.size() + line.size() > targetBytes)
            break;
        text += line;
    }
    return text;
}

struct Times {
    std::vector<double> samples;
    void Add(double milliseconds) { samples.push_back(milliseconds); }
    double Best() const { return *std::min_element(samples.begin(), samples.end()); }
    double Median() {
        std::sort(samples.begin(), samples.end());
        return samples[samples.size() / 2];
    }
};

/// Whether the first row of the image holds dark pixels, as drawn characters do.
bool HasText(const QImage& image) {
    for (int y = 0; y < std::min(image.height(), 24); ++y)
        for (int x = 0; x < std::min(image.width(), 200); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

void CloseWindow(nelvix::qt::CKespoMCW* window) {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

int main(int argc, char** argv) {
    constexpr int runs = 15;
    constexpr int pages = 60;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() /
                       ("nelvix-bench-window-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "bench.sjis.txt";
    const std::string text = MakeText(3'999'900);
    std::ofstream(file, std::ios::binary).write(text.data(), std::streamsize(text.size()));

    nelvix::bench::BenchPlatform bench;
    nelvix::DocumentEnvironment environment{bench.platform};
    environment.format = nelvix::Cabinet().Format();
    environment.format.documentType = nelvix::DocumentType::C;
    nelvix::DocumentList documents(environment);
    const std::vector<std::string> noKeywords;
    nelvix::ViewSettings viewSettings;
    viewSettings.leftMarginTenthsMm = 15;
    viewSettings.topMarginTenthsMm = 15;
    viewSettings.keywords = {noKeywords, nelvix::Cabinet::CKeywords(),
                             nelvix::Cabinet::CppKeywords()};
    const nelvix::RulerSettings rulerSettings;
    const nelvix::CaretSettings caretSettings;
    const nelvix::qt::DocumentWindowContext context{
        bench.platform, documents, viewSettings, rulerSettings, caretSettings, {}, {}, {}, {}};

    QMdiArea area;
    area.resize(1280, 900);
    area.show();
    QCoreApplication::processEvents();

    Times open;
    Times firstScreen;
    Times pageDown;
    int rows = 0;
    QSize client;
    int visibleRows = 0;
    int rowHeight = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        nelvix::CKespoDoc* document = documents.Open(file.string());
        if (document == nullptr || document->TextLength() != text.size()) {
            std::fprintf(stderr, "the text did not open whole\n");
            return 1;
        }
        open.Add(MillisecondsSince(start));
        auto* window = new nelvix::qt::CKespoMCW(context, *document, nelvix::WindowId(run + 1));
        area.addSubWindow(window);
        window->showMaximized();
        // The event loop lays the new window out and paints it.
        QCoreApplication::processEvents();
        firstScreen.Add(MillisecondsSince(start));
        if (!HasText(window->ViewWidget()->TextWidget().Image())) {
            std::fprintf(stderr, "the first screen shows no text\n");
            return 1;
        }
        rows = document->Rows().Count();
        nelvix::qt::TextWindowWidget& textWidget = window->ViewWidget()->TextWidget();
        client = textWidget.viewport()->size();
        visibleRows = int(window->TextWindow()->VisibleRows());
        rowHeight = window->TextWindow()->RowHeight();

        for (int page = 0; page < pages; ++page) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            const auto pageStart = Clock::now();
            QApplication::sendEvent(&textWidget, &press);
            window->ViewWidget()->repaint();
            pageDown.Add(MillisecondsSince(pageStart));
        }
        CloseWindow(window);
    }
    std::filesystem::remove(file);
    if (argc <= 1)
        std::filesystem::remove(folder);

    std::printf("text: %zu bytes, %d rows; text window %d x %d pixels, %d rows of %d pixels\n",
                text.size(), rows, client.width(), client.height(), visibleRows, rowHeight);
    std::printf("open the file (read, filter)          best %7.2f ms  median %7.2f ms\n",
                open.Best(), open.Median());
    std::printf("open until the first screen is shown  best %7.2f ms  median %7.2f ms\n",
                firstScreen.Best(), firstScreen.Median());
    std::printf("Page Down, key to repainted view      best %7.2f ms  median %7.2f ms\n",
                pageDown.Best(), pageDown.Median());
    return 0;
}
