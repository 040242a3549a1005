// Room for a window's caption. The window manager draws the caption in the title bar beside the
// window's buttons and cuts what does not fit ("グロ…検索"), so a small box or dialog is made at
// least as wide as its caption needs there.
#pragma once

class QDialog;
class QMessageBox;
class QString;
class QWidget;

namespace nelvix::qt {

/// The width `caption` needs in a title bar: its bold title-bar text and the title bar's icon
/// and buttons.
int CaptionWidth(const QWidget& window, const QString& caption);

/// Keeps `dialog` at least as wide as its window title (set before) needs.
void KeepCaptionWhole(QDialog& dialog);

/// The same for a message box, which fixes its own size from its layout.
void KeepCaptionWhole(QMessageBox& box);

} // namespace nelvix::qt
