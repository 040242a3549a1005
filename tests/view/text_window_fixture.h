// A text window over a document for the text window's tests: 80 × 10 cells of 8 × 16 pixels
// (a 12 point font at 96 dots per inch) without margins unless given, on a recording surface,
// with a host that records what the window asked of it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/fake_platform.h"
#include "ui/recording_surface.h"
#include "view/text_window.h"

namespace nelvix::test {

class InputHost final : public NullTextWindowHost {
public:
    void InvalidateAll() override { ++invalidations; }
    void InvalidateRect(const ui::PixelRect& rect) override {
        ++invalidations;
        repainted.push_back(rect);
    }
    void ScrollImage(const ui::PixelRect&, int, int dy) override { scrolledBy.push_back(dy); }
    void SetVerticalScrollBar(int maximum, int, bool) override { verticalMaximum = maximum; }
    void SetHorizontalScrollBar(int, int position) override { horizontalPosition = position; }
    void PlaceCaret(int x, int y) override { caret = {x, y}; }
    void MakeTextFont(const FontDescription&, int pixelHeight) override {
        fontHeights.push_back(pixelHeight);
    }
    void RowsScrolled(int rows) override { rowsScrolled += rows; }
    void ColumnsScrolled(int columns) override { columnsScrolled += columns; }
    void RefreshRulers() override { ++rulerRefreshes; }
    void ShowCaretBar(bool shown) override { caretShown = shown; }
    void CaretMoved(std::uint32_t column, std::uint32_t row) override {
        lastCaretMove = {column, row};
    }
    void CaptureMouse(bool captured) override { mouseCaptured = captured; }
    void SetPointer(PointerShape shape) override { pointer = shape; }
    void StartDragTimer(int milliseconds) override { timerPeriod = milliseconds; }
    void StopDragTimer() override { timerPeriod = 0; }

    int invalidations = 0;
    std::vector<ui::PixelRect> repainted;
    std::vector<int> scrolledBy, fontHeights;
    int verticalMaximum = -1, horizontalPosition = -1, rowsScrolled = 0, columnsScrolled = 0;
    int rulerRefreshes = 0;
    PixelPoint caret;
    bool caretShown = true;
    bool mouseCaptured = false;
    int timerPeriod = 0;
    PointerShape pointer = PointerShape::Arrow;
    std::pair<std::uint32_t, std::uint32_t> lastCaretMove{};
};

inline constexpr int kCellWidth = 8;
inline constexpr int kRowHeight = 16;
inline constexpr int kColumns = 80;
inline constexpr int kRows = 10;

struct TextWindow {
    /// Margins in tenths of a millimetre, left and top.
    explicit TextWindow(const std::string& text, int charsPerLine = 80, bool freeCursor = false,
                        std::pair<int, int> margins = {}) {
        environment.format.charsPerLine = charsPerLine;
        environment.format.font.height = 12;
        settings.freeCursor = freeCursor;
        settings.leftMarginTenthsMm = margins.first;
        settings.topMarginTenthsMm = margins.second;
        document = CKespoDoc::Create(environment);
        window = std::make_unique<CKespoEV>(*document, fake.platform, surface, host, settings);
        window->OnSize(kColumns * kCellWidth, kRows * kRowHeight);
        Load(text);
    }
    void Load(const std::string& text) {
        document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());
    }
    void Press(Key key, bool ctrl = false, bool shift = false) {
        window->OnKeyDown(key, {ctrl, shift});
    }
    /// The centre pixel of a cell of the window (rows counted from the top row shown).
    static PixelPoint Pixel(int column, int row) {
        return {column * kCellWidth + kCellWidth / 2, row * kRowHeight + kRowHeight / 2};
    }
    void Click(int column, int row, bool ctrl = false) {
        const PixelPoint at = Pixel(column, row);
        window->OnLeftButtonDown(at.x, at.y, ctrl);
    }
    void DragTo(int column, int row) {
        const PixelPoint at = Pixel(column, row);
        window->OnMouseMove(at.x, at.y, true);
    }
    void Drag(int fromColumn, int fromRow, int toColumn, int toRow, bool ctrl = false) {
        Click(fromColumn, fromRow, ctrl);
        DragTo(toColumn, toRow);
        window->OnLeftButtonUp();
    }
    bool DoubleClick(int column, int row) {
        const PixelPoint at = Pixel(column, row);
        return window->SelectWordAt(at.x, at.y);
    }
    std::pair<std::uint32_t, std::uint32_t> Caret() const {
        return {window->CaretColumn(), window->CaretRow()};
    }
    std::optional<std::pair<std::uint32_t, std::uint32_t>> Stream() const {
        return window->StreamSelection();
    }
    ui::CellGrid Paint() {
        surface.ClearOperations();
        window->OnPaint({0, 0, kColumns * kCellWidth, kRows * kRowHeight});
        return surface.Rasterise(0, 0, kCellWidth, kRowHeight, kColumns, kRows);
    }
    /// One character per cell of a grid row: 'x' inverted, '.' not.
    static std::string Inverted(const ui::CellGrid& grid, int row, int columns) {
        std::string out;
        for (int column = 0; column < columns; ++column)
            out += grid.At(column, row).inverted ? 'x' : '.';
        return out;
    }

    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    ViewSettings settings;
    ui::RecordingSurface surface;
    InputHost host;
    std::unique_ptr<CKespoDoc> document;
    std::unique_ptr<CKespoEV> window;
};

inline std::string NumberedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

} // namespace nelvix::test
