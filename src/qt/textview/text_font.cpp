// Making the text window's font.
#include "qt/textview/text_font.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "qt/platform/convert.h"
#include "qt/platform/document_font.h"

namespace nelvix::qt {
namespace {

QString FaceNameOf(const FontDescription& font) {
    const auto* face = reinterpret_cast<const char*>(font.faceName.data());
    const auto end = std::find(font.faceName.begin(), font.faceName.end(), std::uint8_t{0});
    return SjisToQString(
        std::string_view(face, static_cast<std::size_t>(end - font.faceName.begin())));
}

// fontconfig substitutes some face for any name asked for, so only the installed families
// tell whether the stored face is really there.
bool IsInstalled(const QString& family) {
    if (family.isEmpty())
        return false;
    const QStringList installed = QFontDatabase::families();
    return installed.contains(family, Qt::CaseInsensitive);
}

} // namespace

QFont TextFontOf(const FontDescription& description, int pixelHeight) {
    const QString face = FaceNameOf(description);
    QFont font = DocumentFont();
    if (IsInstalled(face))
        font.setFamily(face);
    if (pixelHeight != 0)
        font.setPixelSize(std::abs(pixelHeight));
    // The description counts weights as Qt does (400 normal, 700 bold); 0 means the default.
    if (description.weight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(description.weight, 1, 1000)));
    font.setItalic(description.italic != 0);
    font.setUnderline(description.underline != 0);
    font.setStrikeOut(description.strikeOut != 0);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    return font;
}

} // namespace nelvix::qt
