// Qt's own texts (the buttons of message boxes, the file, colour and font dialogs, the menus of
// text fields) in Japanese, whatever the system's language: the program speaks Japanese only.
#pragma once

class QCoreApplication;

namespace nelvix::qt {

/// Installs Qt's Japanese catalogue from Qt's translations folder into `application`, which
/// keeps it. False when the catalogue is missing or unreadable; Qt's texts then stay English.
bool InstallJapaneseQtTexts(QCoreApplication& application);

} // namespace nelvix::qt
