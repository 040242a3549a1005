// The programs as an installation leaves them: `cmake --install` into a scratch root, then the
// installed nelvix, started with a fresh home, takes the system settings store and cabinet,
// opens a file without a box, finds its spin library through its run path and its help beside
// it; the installed nelvix-cli answers --help.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <vector>

#include "qt/dialogs/help_window.h"
#include "qt_test_support.h"
#include "store/cabinet_image.h"

namespace {

/// Long enough for any build, sanitizers included: only a program that waits on a box (which
/// nobody answers in this process) takes longer.
constexpr int kHangMilliseconds = 20'000;

QString Native(const char* path) {
    return QFile::decodeName(path);
}

} // namespace

class InstalledProgramTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyPartIsInstalled();
    void aFreshHomeOpensAFileWithoutAMessageAndTakesTheSystemSettings();
    void theInstalledHelpIsFound();
    void theInstalledCliAnswersHelp();

private:
    QString Installed(const QString& path) const { return m_root.path() + path; }
    QString Prefix() const { return Installed(Native(NELVIX_INSTALL_PREFIX)); }
    QString SystemDirectory() const { return Installed(Native(NELVIX_SYSTEM_DIRECTORY)); }

    QTemporaryDir m_root;
};

void InstalledProgramTest::initTestCase() {
    QVERIFY(m_root.isValid());
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), m_root.path());
    install.setProcessEnvironment(environment);
    install.start(Native(NELVIX_CMAKE_COMMAND),
                  {QStringLiteral("--install"), Native(NELVIX_BUILD_DIR)});
    QVERIFY(install.waitForFinished(kHangMilliseconds));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
}

void InstalledProgramTest::everyPartIsInstalled() {
    const std::vector<QString> parts{
        QStringLiteral("/bin/nelvix"),
        QStringLiteral("/bin/nelvix-cli"),
        QStringLiteral("/lib/nelvix/libmuscrl32.so"),
        QStringLiteral("/share/nelvix/help/ja/index.html"),
        QStringLiteral("/share/applications/nelvix.desktop"),
        QStringLiteral("/share/icons/hicolor/scalable/apps/nelvix.svg"),
        QStringLiteral("/share/man/man1/nelvix.1"),
        QStringLiteral("/share/man/man1/nelvix-cli.1"),
    };
    for (const QString& part : parts)
        QVERIFY2(QFileInfo(Prefix() + part).isFile(), qPrintable(part));
    const QByteArray cabinet =
        nelvix::test::ReadBytes(SystemDirectory() + QStringLiteral("/nelvix.cab"));
    QVERIFY(nelvix::ParseCabinetImage(reinterpret_cast<const nelvix::Byte*>(cabinet.data()),
                                      static_cast<std::size_t>(cabinet.size())));
    QVERIFY(QFileInfo(SystemDirectory() + QStringLiteral("/nelvix.ini")).isFile());

    // The installed icon is the windows' icon, and it draws (Qt's SVG plugins are there).
    const QString icon = QStringLiteral(":/nelvix.svg");
    QCOMPARE(nelvix::test::ReadBytes(
                 Prefix() + QStringLiteral("/share/icons/hicolor/scalable/apps/nelvix.svg")),
             nelvix::test::ReadBytes(icon));
    const QPixmap drawn = QIcon(icon).pixmap(64, 64);
    QVERIFY(!drawn.isNull());
    QVERIFY(nelvix::test::SaveImage(drawn.toImage(), QStringLiteral("program-icon")));
}

void InstalledProgramTest::aFreshHomeOpensAFileWithoutAMessageAndTakesTheSystemSettings() {
    // A line of the system store that the program never writes shows the home took its copy.
    QFile systemStore(SystemDirectory() + QStringLiteral("/nelvix.ini"));
    QVERIFY(systemStore.open(QIODevice::Append));
    systemStore.write("[Installed]\nMark=1\n");
    systemStore.close();

    QTemporaryDir scratch;
    const QString home = scratch.filePath(QStringLiteral("home"));
    const QString sample = Native(NELVIX_SOURCE_DIR) + QStringLiteral("/samples/sample-euc.txt");
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NELVIX_HOME"), home);
    environment.insert(QStringLiteral("NELVIX_SYSCONFDIR"), SystemDirectory());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("LD_LIBRARY_PATH"));
#ifdef NELVIX_SANITIZED
    // Under AddressSanitizer dlopen does not search the program's run path.
    environment.insert(QStringLiteral("LD_LIBRARY_PATH"), Prefix() + QStringLiteral("/lib/nelvix"));
#endif
    program.setProcessEnvironment(environment);
    // User tool 1 with the exit flag ends the program by itself once the start-up is through;
    // a box on the way would wait for an answer that never comes.
    program.start(Prefix() + QStringLiteral("/bin/nelvix"),
                  {QStringLiteral("/T1"), QStringLiteral("/E"), sample});
    QVERIFY(program.waitForStarted());
    if (!program.waitForFinished(kHangMilliseconds)) {
        program.kill();
        program.waitForFinished();
        QFAIL("the installed program waited on a box");
    }
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 0, program.readAllStandardError().constData());

    const QByteArray store = nelvix::test::ReadBytes(home + QStringLiteral("/nelvix.ini"));
    QVERIFY(store.contains("[Installed]\nMark=1\n"));
    QVERIFY(store.contains("File1=" + QFile::encodeName(sample) + "\n"));
    const QByteArray cabinet = nelvix::test::ReadBytes(home + QStringLiteral("/nelvix.cab"));
    const std::optional<nelvix::CabinetContents> contents =
        nelvix::ParseCabinetImage(reinterpret_cast<const nelvix::Byte*>(cabinet.data()),
                                  static_cast<std::size_t>(cabinet.size()));
    QVERIFY(contents);
    QCOMPARE(contents->documents.size(), std::size_t{1});
    QCOMPARE(QByteArray::fromStdString(contents->documents[0].path), QFile::encodeName(sample));
}

void InstalledProgramTest::theInstalledHelpIsFound() {
    const QString index = Prefix() + QStringLiteral("/share/nelvix/help/ja/index.html");
    QCOMPARE(nelvix::qt::HelpWindow::HelpFileBeside(Prefix() + QStringLiteral("/bin")),
             QFileInfo(index).canonicalFilePath());
}

void InstalledProgramTest::theInstalledCliAnswersHelp() {
    QProcess cli;
    cli.start(Prefix() + QStringLiteral("/bin/nelvix-cli"), {QStringLiteral("--help")});
    QVERIFY(cli.waitForFinished(kHangMilliseconds));
    QCOMPARE(cli.exitCode(), 0);
    QVERIFY(cli.readAllStandardOutput().startsWith("Usage: nelvix-cli"));
}

QTEST_MAIN(InstalledProgramTest)
#include "installed_program_test.moc"
