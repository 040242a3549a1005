// Every conversion between Qt's types and the core's: Shift-JIS texts, document texts, clipboard
// texts and native paths. Nothing else in the front end turns bytes into a QString or back.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace nelvix::qt {

/// Shift-JIS (code page 932) bytes as a QString; undefined sequences show as U+FFFD.
QString SjisToQString(std::string_view sjis);

/// A QString as Shift-JIS; characters code page 932 lacks become "・", and `lossy`, when given,
/// says whether that happened.
std::string QStringToSjis(const QString& text, bool* lossy = nullptr);

/// A UTF-8 text of the front end's own tables (menu labels, tips, filter lists) as a QString.
QString TableTextToQString(std::string_view utf8);

/// A message of the program's table as a QString; empty for an id the table lacks.
QString MessageQString(int id);

/// A document's text for showing: each CR LF becomes one line break.
QString DocumentTextToQString(std::string_view sjisText);

/// Core text for the system clipboard, where Linux programs expect LF line ends.
QString SjisToClipboardText(std::string_view sjisText);

/// Clipboard text for the core, which holds CR LF line ends.
std::string ClipboardTextToSjis(const QString& text);

/// A command-line argument (native bytes, UTF-8 on Linux) as a core path.
std::string NativeArgumentToSjisPath(const char* nativeArgument);

/// A core path as Qt names files (for file dialogs).
QString SjisPathToQString(std::string_view sjisPath);

/// A file name chosen in Qt as a core path.
std::string QStringToSjisPath(const QString& path);

} // namespace nelvix::qt
