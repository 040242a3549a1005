// Choosing the font for texts.
#include "qt/platform/document_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace nelvix::qt {

QFont DocumentFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // fontconfig reports the face under its English or its Japanese name, depending on locale.
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")}) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace nelvix::qt
