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
    m_leftMargin = TenthsMmToPixels(settings.leftMarginTenthsMm, surface.DotsPerInchX());
    m_topMargin = TenthsMmToPixels(settings.topMarginTenthsMm, surface.DotsPerInchY());
    if (document.TextLength() == 0)
        document.SetRowCount(0);
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
    ComputeMetrics();
}

void CKespoEV::ComputeMetrics() {
    const DisplayFormat& format = m_document.Format();
    // A cell or a row of no pixels would divide by zero in every mapping below.
    m_cellWidth = std::max(1, m_font.averageWidth +
                                  TenthsMmToPixels(format.charSpacing, m_surface.DotsPerInchX()));
    m_rowHeight =
        std::max(1, m_font.height + TenthsMmToPixels(format.lineSpacing, m_surface.DotsPerInchY()));
}

void CKespoEV::ComputeVisible() {
    const int columns = (m_clientWidth - m_leftMargin) / m_cellWidth;
    m_visibleColumns = columns < 1 ? 0 : static_cast<std::uint32_t>(columns);
    m_visibleRows = m_clientHeight < m_topMargin
                        ? 0
                        : static_cast<std::uint32_t>((m_clientHeight - m_topMargin) / m_rowHeight);
}

void CKespoEV::OnSize(int width, int height) {
    m_clientWidth = std::max(0, width);
    m_clientHeight = std::max(0, height);
    ComputeVisible();
    UpdateScrollRanges();
    ShowCaret();
}

void CKespoEV::UpdateScrollRanges() {
    const std::uint32_t rows = RowCount();
    if (rows + 1 > m_visibleRows) {
        m_verticalMaximum = rows - m_visibleRows + 1;
        m_verticalActive = true;
    } else {
        m_verticalMaximum = 1;
        m_verticalActive = false;
        m_topRow = 0;
    }
    const std::uint32_t cpl = Rules().charsPerLine;
    if (cpl + 1 > m_visibleColumns) {
        m_horizontalMaximum = cpl - m_visibleColumns + 1;
    } else {
        m_horizontalMaximum = 0;
        m_firstColumn = 0;
    }
    m_firstColumn = std::min(m_firstColumn, m_horizontalMaximum);
    m_host.SetVerticalScrollBar(static_cast<int>(m_verticalMaximum),
                                static_cast<int>(std::min(m_topRow, m_verticalMaximum)),
                                m_verticalActive);
    m_host.SetHorizontalScrollBar(static_cast<int>(m_horizontalMaximum),
                                  static_cast<int>(m_firstColumn));
}

void CKespoEV::RebuildAll() {
    RowTable rows = Rows();
    const LayoutText text = Text();
    RebuildRows(m_platform, text, Rules(), rows, 0, text.length, 0, 0);
    StoreRowCount(m_document, rows);
    RebuildCommentTables();
}

void CKespoEV::OnUpdate(CKespoDoc&, UpdateHint hint, const HintArgument& argument) {
    switch (hint) {
    case UpdateHint::Loaded:
        RebuildAll();
        m_knownLength = m_document.TextLength();
        m_selection.Clear();
        m_topRow = 0;
        m_firstColumn = 0;
        m_caretColumn = 0;
        m_caretRow = 0;
        m_rememberedColumn = 0;
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
    const CellOffset caret =
        OffsetOfCell(Text(), oldRules, Rows(), m_caretColumn, m_caretRow, m_settings.freeCursor);
    const std::uint32_t topOffset = TopRowOffset();

    ComputeMetrics();
    m_topRow = 0;
    m_firstColumn = 0;
    // A box names cells, which a new row width moves under other characters.
    if (m_selection.BoxMode())
        CancelSelection();
    if (reset) {
        m_comments.Clear();
        if (m_document.TextLength() > 0)
            RebuildAll();
        else
            m_document.SetRowCount(0);
    }

    const LayoutRules rules = Rules();
    m_topRow = RowOfOffset(Text(), rules, Rows(), topOffset);
    ComputeVisible();
    UpdateScrollRanges();
    const CellPosition cell = CellOfOffset(Text(), rules, Rows(), caret.offset);
    m_caretColumn = cell.column;
    m_caretRow = cell.row;
    ShowCaret();
    m_host.InvalidateAll();
}

std::uint32_t CKespoEV::TopRowOffset() const {
    return RowStart(Text(), Rows(), m_topRow);
}

bool CKespoEV::AppendAtEnd(const Byte* bytes, std::size_t length, bool repaint) {
    return InsertText(m_document.TextLength(), bytes, length, repaint);
}

void CKespoEV::TextAppended(std::uint32_t oldLength, bool repaint) {
    const LayoutRules rules = Rules();
    const LayoutText text = Text();
    // The rows hold the old layout until rebuilt: find the first row to redo over the old text.
    const LayoutText oldText{text.bytes, oldLength, 0};
    RowTable rows = Rows();
    const std::uint32_t firstRow = RebuildStartRow(oldText, rules, rows, oldLength);
    const std::uint32_t firstStart = RowStart(oldText, rows, firstRow);
    const RebuildResult result = RebuildRows(m_platform, text, rules, rows, oldLength,
                                             text.length - oldLength, firstRow, firstStart);
    StoreRowCount(m_document, rows);
    if (KeepsCommentTables())
        m_comments.UpdateCommentTables(m_platform, text.bytes, text.length, oldLength,
                                       text.length - oldLength);
    if (result.rowCountChanged)
        UpdateScrollRanges();
    if (repaint)
        RepaintAfterAppend(firstRow);
}

} // namespace nelvix
