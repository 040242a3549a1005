// Frame fonts on the installed faces.
#include "qt/frame/frame_font.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

#include "qt/platform/convert.h"
#include "qt/platform/document_font.h"

namespace nelvix::qt {
namespace {

QFont Substitute(const FrameFontFace& face) {
    if (face.pitch == FontPitch::Fixed)
        return DocumentFont();
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    if (face.charset != FontCharset::ShiftJis)
        return font;
    // fontconfig reports the face under its English or its Japanese name, depending on locale.
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")}) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    return font;
}

} // namespace

QFont FrameFont(FrameFontUse use, int dotsPerInch) {
    const FrameFontFace& face = FrameFontFaces()[std::min(use.face, kFrameFontCount - 1)];
    const QString family = TableTextToQString(face.faceName);
    QFont font = QFontDatabase::families().contains(family) ? QFont(family) : Substitute(face);
    // The table's negative height is a character height, which is what a pixel size is.
    font.setPixelSize(std::max(1, -FrameFontHeight(dotsPerInch, use.points)));
    font.setWeight(static_cast<QFont::Weight>(face.weight));
    font.setItalic(face.italic);
    return font;
}

} // namespace nelvix::qt
