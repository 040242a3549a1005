// Conversions at the edge between Qt and the core.
#include "qt/platform/convert.h"

#include <QFile>

#include "base/cp932.h"
#include "base/native_path.h"
#include "ui/message_table.h"

namespace nelvix::qt {

QString SjisToQString(std::string_view sjis) {
    const std::string utf8 = Cp932ToUtf8(sjis);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string QStringToSjis(const QString& text, bool* lossy) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp932(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                       kSjisMiddleDot, lossy);
}

QString TableTextToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString MessageQString(int id) {
    return SjisToQString(ui::MessageText(id));
}

QString DocumentTextToQString(std::string_view sjisText) {
    // A CR in a document is always followed by LF (loading drops lone CRs), and a CR byte is
    // never a trail byte, so replacing the pair after conversion touches nothing else.
    QString text = SjisToQString(sjisText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString SjisToClipboardText(std::string_view sjisText) {
    return DocumentTextToQString(sjisText);
}

std::string ClipboardTextToSjis(const QString& text) {
    QString crLf = text;
    crLf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crLf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return QStringToSjis(crLf);
}

std::string NativeArgumentToSjisPath(const char* nativeArgument) {
    return NativePathToSjis(nativeArgument);
}

QString SjisPathToQString(std::string_view sjisPath) {
    const std::string native = SjisPathToNative(sjisPath);
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

std::string QStringToSjisPath(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    return NativePathToSjis(
        std::string_view(native.constData(), static_cast<std::size_t>(native.size())));
}

} // namespace nelvix::qt
