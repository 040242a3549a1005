// Qt's Japanese texts.
#include "qt/platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace nelvix::qt {
namespace {

// Debian's qt6-translations-l10n ships it; the base module holds every widget's texts.
constexpr char kQtBaseJapanese[] = "qtbase_ja";

} // namespace

bool InstallJapaneseQtTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QString::fromLatin1(kQtBaseJapanese),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace nelvix::qt
