// Painting a full text window: 60 rows of 200 cells of a C++ document with keywords, line and
// block comments, best of 200 paints onto a surface that draws nothing, and a count of the
// allocations made while painting. Usage: bench_paint
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "render/comment_tables.h"
#include "render/text_painter.h"
#include "ui/fake_platform.h"
#include "ui/surface.h"

namespace {

std::atomic<long> g_allocations{0};

using Clock = std::chrono::steady_clock;

/// Takes every call and draws nothing, so that the time is the painter's own.
class NullSurface final : public nelvix::ui::Surface {
public:
    void SelectFont(nelvix::ui::FontRole) override {}
    void FillRect(const nelvix::ui::PixelRect&, nelvix::ui::Colour) override { ++calls; }
    void DrawText(int, int, std::string_view text, int, nelvix::ui::Colour,
                  nelvix::ui::Colour) override {
        ++calls;
        bytes += static_cast<long>(text.size());
    }
    void DrawLine(int, int, int, int, nelvix::ui::Colour) override { ++calls; }
    void InvertRect(const nelvix::ui::PixelRect&) override {}
    void ScrollRect(const nelvix::ui::PixelRect&, int, int) override {}
    nelvix::ui::FontMetrics Metrics() const override { return {16, 8}; }
    int DotsPerInchX() const override { return 96; }
    int DotsPerInchY() const override { return 96; }
    long calls = 0;
    long bytes = 0;
};

std::string MakeSource(int lines) {
    const char* const source[] = {
        "#include <vector>",
        "/* A block comment that runs",
        "   over two lines. */",
        "class Painter : public Surface {",
        "public:",
        "\tvirtual int Paint(const char* text, unsigned long length) const; // draws a row",
        "\tstatic inline void Clear() { for (int i = 0; i < 10; ++i) if (m_rows[i]) delete "
        "m_rows[i]; }",
        "private:",
        "\tstd::vector<char*> m_rows; /* owned */ int m_count = 0;",
        "};",
    };
    std::string text;
    // Three pieces a line fill most of the 200 cells.
    for (int i = 0; i < lines; ++i)
        text += std::string(source[i % 10]) + " " + source[(i + 3) % 10] + " " +
                source[(i + 5) % 10] + "\r\n";
    return text;
}

} // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

int main() {
    constexpr int rows = 60;
    constexpr int cells = 200;
    constexpr int runs = 200;
    const std::string text = MakeSource(rows * 2);
    std::vector<std::uint32_t> rowStarts;
    for (std::uint32_t start = 0; start < text.size();) {
        rowStarts.push_back(start);
        start = static_cast<std::uint32_t>(text.find("\r\n", start) + 2);
    }
    const std::vector<std::string> user{"Surface", "Paint"};
    const std::vector<std::string> c{"int",  "char", "unsigned", "long",     "const",    "static",
                                     "void", "for",  "if",       "#include", "__inline", "return"};
    const std::vector<std::string> cpp{"class",  "public", "private", "virtual",
                                       "inline", "delete", "new",     "this"};

    nelvix::ui::FakePlatform fake;
    nelvix::CommentTables tables;
    const auto* bytes = reinterpret_cast<const nelvix::Byte*>(text.data());
    tables.Build(fake.platform, bytes, static_cast<std::uint32_t>(text.size()));

    nelvix::TextPaintInput input;
    input.text = bytes;
    input.textLength = static_cast<std::uint32_t>(text.size());
    input.rowStarts = rowStarts.data();
    input.rowCount = static_cast<std::uint32_t>(rowStarts.size());
    input.charsPerLine = cells;
    input.clientWidth = cells * input.cellWidth;
    input.clientHeight = rows * input.rowHeight;
    input.documentType = nelvix::DocumentType::Cpp;
    input.colorAreaComment = true;
    input.showTabs = true;
    input.keywords = {user, c, cpp};
    input.commentTables = &tables;

    const auto painter = std::make_unique<nelvix::TextPainter>();
    NullSurface surface;
    const nelvix::ui::PixelRect window{0, 0, input.clientWidth, input.clientHeight};
    double best = 1e9;
    const long allocationsBefore = g_allocations.load();
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        painter->Paint(input, surface, window);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    const long allocations = g_allocations.load() - allocationsBefore;

    std::printf("paint, %d rows x %d cells, C++ with keywords and comments, best of %d\n", rows,
                cells, runs);
    std::printf("  Paint (whole window)    %8.3f ms  (%ld calls, %ld bytes drawn per paint)\n",
                best * 1e3, surface.calls / runs, surface.bytes / runs);
    std::printf("  allocations while painting: %ld\n", allocations);
    return allocations == 0 ? 0 : 1;
}
