// CKespoEV: metrics, the reactions to the document's notices, and laying the text out again.
#include "view/text_window.h"

#include <algorithm>
#include <cstring>

#include "ui/messages.h"

namespace nelvix {

namespace {

constexpr int kTenthsMmPerInch = 254;
constexpr int kPointsPerInch = 72;

int TenthsMmToPixels(int tenthsMm, int dotsPerInch) {
    return dotsPerInch * tenthsMm / kTenthsMmPerInch;
}

} // namespace

CKespoEV::CKespoEV(CKespoDoc& document, ui::Platform& platform, ui::Surface& surface,
                   TextWindowHost& host, const ViewSettings& settings)
    : m_document(document), m_platform(platform), m_surface(surface), m_host(host),
      m_settings(settings) {
    m_viewport.SetMargins(TenthsMmToPixels(settings.leftMarginTenthsMm, surface.DotsPerInchX()),
                          TenthsMmToPixels(settings.topMarginTenthsMm, surface.DotsPerInchY()));
    if (document.TextLength() == 0)
        document.Rows().SetCount(0);
    MakeFont();
    m_knownLength = document.TextLength();
    document.AddView(*this);
}

CKespoEV::~CKespoEV() {
    m_document.RemoveView(*this);
}

LayoutRules CKespoEV::Rules() const {
    const DisplayFormat& format = m_document.Format();
    const auto positive = [](std::int32_t value) {
        return static_cast<std::uint32_t>(std::max(value, 0));
    };
    return {std::clamp(positive(format.charsPerLine), kMinCharsPerLine, kMaxCharsPerLine),
            std::clamp(positive(format.tabColumns), kMinTabColumns, kMaxTabColumns),
            m_settings.wordWrap};
}

void CKespoEV::MakeFont() {
    const auto& font = m_document.Format().font;
    const int pixelHeight = -(m_surface.DotsPerInchY() * font.height / kPointsPerInch);
    m_host.MakeTextFont(font, pixelHeight);
    m_surface.SelectFont(ui::FontRole::Text);
    m_font = m_surface.Metrics();
    MeasureCell();
}

void CKespoEV::ComputeMetrics() {
    const DisplayFormat& format = m_document.Format();
    // A cell or a row of no pixels would divide by zero in every mapping below.
    m_cellWidth = std::max(1, m_font.averageWidth +
                                  TenthsMmToPixels(format.charSpacing, m_surface.DotsPerInchX()));
    m_rowHeight =
        std::max(1, m_font.height + TenthsMmToPixels(format.lineSpacing, m_surface.DotsPerInchY()));
}

void CKespoEV::MeasureCell() {
    ComputeMetrics();
    m_viewport.SetCellSize(m_cellWidth, m_rowHeight);
}

void CKespoEV::OnSize(int width, int height) {
    m_viewport.Resize(width, height);
    UpdateScrollRanges();
    ShowCaret();
}

void CKespoEV::UpdateScrollRanges() {
    m_viewport.UpdateRanges(RowCount(), Rules().charsPerLine);
    ShowScrollBar(ScrollAxis::Vertical);
    ShowScrollBar(ScrollAxis::Horizontal);
}

void CKespoEV::ShowScrollBar(ScrollAxis axis) {
    const TextViewport& view = m_viewport;
    if (axis == ScrollAxis::Vertical)
        m_host.SetVerticalScrollBar(
            static_cast<int>(view.VerticalMaximum()),
            static_cast<int>(std::min(view.TopRow(), view.VerticalMaximum())),
            view.VerticalActive());
    else
        m_host.SetHorizontalScrollBar(static_cast<int>(view.HorizontalMaximum()),
                                      static_cast<int>(view.FirstColumn()));
}

void CKespoEV::RebuildAll() {
    RowTable& rows = m_document.Rows();
    const LayoutText text = Text();
    RebuildRows(m_platform, text, Rules(), rows, 0, text.length, 0, 0);
    RebuildCommentTables();
}

void CKespoEV::OnUpdate(CKespoDoc&, UpdateHint hint, const HintArgument& argument) {
    switch (hint) {
    case UpdateHint::Loaded:
        RebuildAll();
        m_knownLength = m_document.TextLength();
        m_selection.Clear();
        m_viewport.SetOrigin(0, 0);
        m_caret.Reset();
        UpdateScrollRanges();
        ShowCaret();
        m_host.InvalidateAll();
        break;
    case UpdateHint::TextMoved:
        // The text is read through the document every time; no pointer is kept.
        break;
    case UpdateHint::FormatCopied:
        if (argument.formatChanged != nullptr && *argument.formatChanged)
            MakeFont();
        LayOutAgain(true);
        m_host.RefreshRulers();
        break;
    case UpdateHint::RedrawAfterSettings:
        m_host.InvalidateView();
        break;
    case UpdateHint::ResultAboutToFill:
        m_host.InvalidateAll();
        break;
    case UpdateHint::Relayout:
        if (!m_ignoreRelayout)
            LayOutAgain(false);
        break;
    case UpdateHint::AppendText:
        if (argument.text != nullptr)
            OnAppend(argument.text, std::strlen(reinterpret_cast<const char*>(argument.text)),
                     true);
        break;
    case UpdateHint::ShowAppended:
        ShowAppended(static_cast<std::uint32_t>(argument.length));
        break;
    case UpdateHint::AppendLength:
    case UpdateHint::AppendNoLayout:
        if (argument.text != nullptr && argument.length >= 1)
            OnAppend(argument.text, argument.length, hint == UpdateHint::AppendLength);
        break;
    }
}

void CKespoEV::LayOutAgain(bool reset) {
    const LayoutRules oldRules = Rules();
    const CellOffset caret = OffsetOfCell(Text(), oldRules, Rows(), m_caret.Column(), m_caret.Row(),
                                          m_settings.freeCursor);
    const std::uint32_t topOffset = TopRowOffset();

    MeasureCell();
    m_viewport.SetOrigin(0, 0);
    // A box names cells, which a new row width moves under other characters.
    if (m_selection.BoxMode())
        CancelSelection();
    if (reset) {
        m_comments.Clear();
        if (m_document.TextLength() > 0)
            RebuildAll();
        else
            m_document.Rows().SetCount(0);
    }

    const LayoutRules rules = Rules();
    m_viewport.SetOrigin(RowOfOffset(Text(), rules, Rows(), topOffset), 0);
    m_viewport.UpdateVisible();
    UpdateScrollRanges();
    const CellPosition cell = CellOfOffset(Text(), rules, Rows(), caret.offset);
    m_caret.Place(cell.column, cell.row);
    ShowCaret();
    m_host.InvalidateAll();
}

std::uint32_t CKespoEV::TopRowOffset() const {
    return RowStart(Text(), Rows(), m_viewport.TopRow());
}

bool CKespoEV::AppendAtEnd(const Byte* bytes, std::size_t length, bool repaint) {
    return InsertText(m_document.TextLength(), bytes, length, repaint);
}

void CKespoEV::TextAppended(std::uint32_t oldLength, bool repaint) {
    const LayoutRules rules = Rules();
    const LayoutText text = Text();
    // The rows hold the old layout until rebuilt: find the first row to redo over the old text.
    const LayoutText oldText{text.bytes, oldLength, 0};
    RowTable& rows = m_document.Rows();
    const std::uint32_t firstRow = RebuildStartRow(oldText, rules, rows, oldLength);
    const std::uint32_t firstStart = RowStart(oldText, rows, firstRow);
    const RebuildResult result = RebuildRows(m_platform, text, rules, rows, oldLength,
                                             text.length - oldLength, firstRow, firstStart);
    if (KeepsCommentTables())
        m_comments.UpdateCommentTables(m_platform, text.bytes, text.length, oldLength,
                                       text.length - oldLength);
    if (result.rowCountChanged)
        UpdateScrollRanges();
    if (repaint)
        RepaintAfterAppend(firstRow);
}

} // namespace nelvix
