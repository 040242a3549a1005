// The main frame's tag state and its tag commands: jumping from a result line to the file and
// line it names, stepping through the tag document's lines, and the double-click on a tag.
#pragma once

#include <cstdint>
#include <optional>

#include "commands/tag_line.h"

namespace nelvix::ui {
struct Platform;
class ShellOpener;
} // namespace nelvix::ui

namespace nelvix {

class CKespoDoc;
class CKespoEV;
class FrameWindows;
struct Settings;

class TagNavigator {
public:
    TagNavigator(FrameWindows& windows, ui::Platform& platform, const Settings& settings);

    /// Opens the tag's file (or activates the document open for it), makes the tag's line the
    /// tag target line of the document's first text window and scrolls it into view; the
    /// document holding the tag line becomes the tag document and the wrap flag is cleared.
    /// False when the file cannot be opened: after the open failure report a beep, and nothing
    /// else changes.
    bool JumpToTag(const TagLocation& tag, CKespoDoc& tagLineDocument);

    /// "現在のタグ": jumps to the tag on the caret line of the active window; a beep when it
    /// is not a tag.
    void CurrentTag();
    /// "次のタグ" / "前のタグ": moves the caret of the tag document's first view (or of the
    /// active view) to the next or previous tag line and jumps to it. At the edge the first
    /// press beeps and the next one wraps around.
    void NextTag();
    void PreviousTag();
    /// "タグウィンドウ": activates the tag document's first window; a beep without one.
    void ShowTagWindow();

    bool HasTagDocument() const { return m_tagDocument != nullptr; }
    CKespoDoc* TagDocument() const { return m_tagDocument; }
    bool WrapPending() const { return m_wrap; }
    /// A document is about to be destroyed; the tag state forgets it.
    void DocumentClosing(CKespoDoc& document);

    /// A left double-click after the first click put the caret: without modifiers on a tag
    /// line the tag jump, with Shift alone the shell opens the tag's file (a beep when it
    /// cannot). False when the caller selects the word instead.
    bool OnLeftDoubleClick(CKespoEV& window, bool shift, bool ctrl, ui::ShellOpener& shell);

private:
    std::optional<TagLocation> TagAtRow(const CKespoEV& window, std::uint32_t row) const;
    /// The first line-starting row in `forward` direction from `from` (inclusive) that reads
    /// as a tag.
    std::optional<std::uint32_t> FindTagRow(const CKespoEV& window, std::int64_t from,
                                            bool forward) const;
    void StepToTag(bool forward);

    FrameWindows& m_windows;
    ui::Platform& m_platform;
    const Settings& m_settings;
    CKespoDoc* m_tagDocument = nullptr;
    bool m_wrap = false;
};

} // namespace nelvix
