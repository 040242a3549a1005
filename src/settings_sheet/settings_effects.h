// What the main frame does when the settings sheet is confirmed, beyond what the settings
// record, the cabinet and the document windows carry.
#pragma once

#include "ui/colour.h"

namespace nelvix {

class SettingsEffects {
public:
    virtual ~SettingsEffects() = default;

    /// "ｳｨﾝﾄﾞｳﾊﾞｰを表示" changed: the window bar is shown or hidden at once.
    virtual void ShowWindowBar(bool shown) = 0;
    /// "ﾀｸﾞと文書画面を上下に並べて表示" changed (the placement mode is recomputed already): the
    /// active document window, if any, is restored when `separated`, else maximised.
    virtual void PlaceActiveWindow(bool separated) = 0;
    /// The settings record and the display format changed: the frame takes afresh its copies of
    /// what the text windows, their carets and the find in a text read of them (view, caret and
    /// find settings), before any document is laid out or redrawn.
    virtual void ReadSettingsAgain() = 0;
    /// Characters per line, tab width, word wrap or document type changed: with the busy
    /// pointer shown, every open document takes the display format and lays its text
    /// out again; then the active text window, if any, takes the focus.
    virtual void LayOutDocumentsAgain() = 0;
    /// The line numbering changed: the active text window, if any, shows its caret position in
    /// the status bar afresh.
    virtual void RefreshCaretPosition() = 0;
    /// The text background colour changed: the text windows' background becomes `colour`.
    virtual void SetTextBackground(ui::Colour colour) = 0;
    /// Every open document takes the display format (colours and marks among them)
    /// without laying its text out again, and redraws its views with update hint 33.
    virtual void RedrawDocuments() = 0;
};

} // namespace nelvix
