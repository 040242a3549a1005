// Tag jumps and the tag commands of the main frame.
#include "frame/tag_navigator.h"

#include "commands/frame_windows.h"
#include "store/settings.h"
#include "ui/platform.h"
#include "ui/shell_open.h"
#include "view/text_window.h"

namespace nelvix {

TagNavigator::TagNavigator(FrameWindows& windows, ui::Platform& platform, const Settings& settings)
    : m_windows(windows), m_platform(platform), m_settings(settings) {}

bool TagNavigator::JumpToTag(const TagLocation& tag, CKespoDoc& tagLineDocument) {
    CKespoEV* target = m_windows.OpenOrActivate(tag.sjisPath);
    if (target == nullptr) {
        m_platform.beeper.Beep();
        return false;
    }
    // Tags count lines from 1; the document counts them from 0.
    const std::uint32_t lineIndex = tag.line == 0 ? 0 : tag.line - 1;
    const std::uint32_t row = target->Document().RowOfLine(lineIndex);
    target->SetTagTargetLine(row);
    target->ScrollToRow(row, ScrollMode::Middle, false);
    m_tagDocument = &tagLineDocument;
    m_wrap = false;
    return true;
}

void TagNavigator::CurrentTag() {
    CKespoEV* window = m_windows.ActiveTextWindow();
    const std::optional<TagLocation> tag =
        window == nullptr ? std::nullopt : TagAtRow(*window, window->CaretRow());
    if (!tag) {
        m_platform.beeper.Beep();
        return;
    }
    JumpToTag(*tag, window->Document());
}

void TagNavigator::NextTag() {
    StepToTag(true);
}

void TagNavigator::PreviousTag() {
    StepToTag(false);
}

void TagNavigator::ShowTagWindow() {
    if (m_tagDocument == nullptr) {
        m_platform.beeper.Beep();
        return;
    }
    m_windows.ActivateDocument(*m_tagDocument);
}

void TagNavigator::DocumentClosing(CKespoDoc& document) {
    if (m_tagDocument == &document)
        m_tagDocument = nullptr;
}

bool TagNavigator::OnLeftDoubleClick(CKespoEV& window, bool shift, bool ctrl,
                                     ui::ShellOpener& shell) {
    if (ctrl)
        return false;
    const std::optional<TagLocation> tag = TagAtRow(window, window.CaretRow());
    switch (DecideLeftDoubleClick(tag.has_value(), ctrl, shift)) {
    case LeftDoubleClickAction::TagJump:
        JumpToTag(*tag, window.Document());
        return true;
    case LeftDoubleClickAction::ShellOpen:
        if (!shell.OpenWithShell(tag->sjisPath))
            m_platform.beeper.Beep();
        return true;
    case LeftDoubleClickAction::SelectWord:
        break;
    }
    return false;
}

std::optional<TagLocation> TagNavigator::TagAtRow(const CKespoEV& window, std::uint32_t row) const {
    return ReadTag(RowTagText(window, row), m_settings.titleViewLength);
}

std::optional<std::uint32_t> TagNavigator::FindTagRow(const CKespoEV& window, std::int64_t from,
                                                      bool forward) const {
    const CKespoDoc& document = window.Document();
    const std::int64_t rowCount = document.Rows().Count();
    const std::int64_t step = forward ? 1 : -1;
    for (std::int64_t row = from; row >= 0 && row < rowCount; row += step) {
        const auto candidate = static_cast<std::uint32_t>(row);
        // A wrapped line is one tag: only its first row is tried.
        if (RowBeginsLine(document, candidate) && TagAtRow(window, candidate))
            return candidate;
    }
    return std::nullopt;
}

void TagNavigator::StepToTag(bool forward) {
    CKespoEV* window = m_tagDocument != nullptr ? m_windows.FirstTextWindow(*m_tagDocument)
                                                : m_windows.ActiveTextWindow();
    if (window == nullptr) {
        m_platform.beeper.Beep();
        return;
    }
    CKespoDoc& document = window->Document();
    // The caret's own line is never the next or previous tag, even on a continuation row.
    const std::int64_t current = FirstRowOfLine(document, window->CaretRow());
    std::optional<std::uint32_t> row =
        FindTagRow(*window, forward ? current + 1 : current - 1, forward);
    if (!row) {
        if (!m_wrap) {
            m_wrap = true;
            m_platform.beeper.Beep();
            return;
        }
        row = FindTagRow(*window, forward ? 0 : std::int64_t{document.Rows().Count()} - 1, forward);
    }
    const std::optional<TagLocation> tag =
        row ? TagAtRow(*window, *row) : std::optional<TagLocation>{};
    if (!tag) {
        m_platform.beeper.Beep();
        return;
    }
    window->PlaceCaret(0, *row);
    JumpToTag(*tag, document);
}

} // namespace nelvix
