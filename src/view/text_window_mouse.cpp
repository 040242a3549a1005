// CKespoEV: the mouse in the text window: clicks place the caret, dragging selects a stream or
// (with Ctrl) a box and scrolls while the pointer is outside, a double-click selects a word.
#include <algorithm>

#include "view/text_window.h"

namespace nelvix {

namespace {

/// The classes of characters that a word is a run of.
enum class CharClass { LetterOrDigit = 1, HalfWidthKana, Separator, Hiragana, Katakana, Other };

constexpr unsigned kProlongedSoundMark = 0x815B;
constexpr unsigned kFirstDoubleByteSymbol = 0x8140; // the double-byte space
constexpr unsigned kLastDoubleByteSymbol = 0x81AC;
constexpr unsigned kNotASymbol = 0x817F;
constexpr unsigned kFirstHiragana = 0x829F;
constexpr unsigned kLastHiragana = 0x82F1;
constexpr unsigned kFirstKatakana = 0x8340;
constexpr unsigned kLastKatakana = 0x8396;
constexpr unsigned kNotAKatakana = 0x837F;
constexpr Byte kFirstWordKana = 0xA6;
constexpr Byte kLastWordKana = 0xDF;

CharClass ClassAt(const LayoutText& text, std::uint32_t at) {
    if (at >= text.length)
        return CharClass::Separator;
    const Byte b = text.bytes[at];
    if (!IsLeadByte(b) || at + 1 >= text.length) {
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'))
            return CharClass::LetterOrDigit;
        if (b >= kFirstWordKana && b <= kLastWordKana)
            return CharClass::HalfWidthKana;
        return CharClass::Separator;
    }
    const unsigned code = static_cast<unsigned>(b) << 8 | text.bytes[at + 1];
    if (code == kProlongedSoundMark)
        return CharClass::Katakana;
    if (code >= kFirstDoubleByteSymbol && code <= kLastDoubleByteSymbol && code != kNotASymbol)
        return CharClass::Separator;
    if (code >= kFirstHiragana && code <= kLastHiragana)
        return CharClass::Hiragana;
    if (code >= kFirstKatakana && code <= kLastKatakana && code != kNotAKatakana)
        return CharClass::Katakana;
    return CharClass::Other;
}

} // namespace

std::optional<std::pair<std::uint32_t, std::uint32_t>>
CKespoEV::WordAt(std::uint32_t offset) const {
    const LayoutText text = Text();
    if (text.length == 0 || offset >= text.length)
        return std::nullopt;
    const CharClass wordClass = ClassAt(text, offset);
    std::uint32_t last = offset;
    for (std::uint32_t next = NextChar(text, last);
         next < text.length && ClassAt(text, next) == wordClass; next = NextChar(text, next))
        last = next;
    // Backwards a row at a time, walking each row forwards from its start, so that a long run
    // costs its length and not its length times the row width.
    std::uint32_t first = offset;
    for (std::uint32_t row = RowOfOffset(text, Rules(), Rows(), offset);; --row) {
        const std::uint32_t rowStart = std::min(RowStart(text, Rows(), row), first);
        std::uint32_t start = rowStart;
        for (std::uint32_t at = rowStart; at < first; at = NextChar(text, at))
            if (ClassAt(text, at) != wordClass)
                start = NextChar(text, at);
        if (start > rowStart || row == 0) {
            first = start;
            break;
        }
        first = rowStart;
    }
    return std::make_pair(first, last);
}

std::uint32_t CKespoEV::CaretToMouse(int pixelX, int pixelY) {
    const auto [column, row] = PixelToCell(pixelX, pixelY);
    MoveCaret(Cells().CaretCellAt(column, row, m_settings.freeCursor));
    m_caret.RememberColumn();
    return CaretOffset();
}

void CKespoEV::OnLeftButtonDown(int pixelX, int pixelY, bool ctrl) {
    m_host.TakeFocus();
    const std::uint32_t offset = CaretToMouse(pixelX, pixelY);
    CancelSelection();
    if (ctrl) {
        const auto [column, row] = PixelToCell(pixelX, pixelY);
        m_selection.Begin(BoxPositionOf(column, row), true);
    } else {
        m_selection.Begin(offset, false);
    }
    m_selection.SetDragging(true);
    m_host.CaptureMouse(true);
    m_host.StartDragTimer(kDragTimerMilliseconds);
}

void CKespoEV::DragTo(int pixelX, int pixelY) {
    if (m_selection.BoxMode()) {
        const auto [column, row] = PixelToCell(pixelX, pixelY);
        KeepCellInView(column, row);
        UpdateSelection(BoxPositionOf(column, row));
        return;
    }
    UpdateSelection(CaretToMouse(pixelX, pixelY));
}

void CKespoEV::OnMouseMove(int pixelX, int pixelY, bool leftButtonDown) {
    m_host.SetPointer(m_viewport.Contains(pixelX, pixelY) ? PointerShape::IBeam
                                                          : PointerShape::Arrow);
    if (m_selection.Dragging() && leftButtonDown && m_document.TextLength() > 0)
        DragTo(pixelX, pixelY);
}

void CKespoEV::OnDragTimer(int pixelX, int pixelY) {
    if (m_selection.Dragging() && m_document.TextLength() > 0 &&
        !m_viewport.Contains(pixelX, pixelY))
        DragTo(pixelX, pixelY);
}

void CKespoEV::OnLeftButtonUp() {
    if (!m_selection.Dragging())
        return;
    m_selection.SetDragging(false);
    m_host.StopDragTimer();
    m_host.CaptureMouse(false);
}

bool CKespoEV::SelectWordAt(int pixelX, int pixelY) {
    const auto [column, row] = PixelToCell(pixelX, pixelY);
    const std::optional<std::uint32_t> at = Cells().OffsetAtColumn(row, column);
    if (!at)
        return false;
    const std::optional<std::pair<std::uint32_t, std::uint32_t>> word = WordAt(*at);
    if (!word)
        return false;
    CancelSelection();
    m_selection.Begin(word->first, false);
    UpdateSelection(NextChar(Text(), word->second));
    MoveCaretToOffset(word->second);
    m_caret.RememberColumn();
    if (m_caretSettings.copySelection)
        Copy();
    return true;
}

void CKespoEV::OnSetFocus() {
    ShowCaret();
    SetCaretShown(!m_selection.Shown());
}

void CKespoEV::OnKillFocus() {
    SetCaretShown(false);
    // The other views of the document lay out again so that they show the same text.
    m_ignoreRelayout = true;
    m_document.UpdateAllViews(UpdateHint::Relayout);
    m_ignoreRelayout = false;
}

} // namespace nelvix
