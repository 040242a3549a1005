// A running program for the main window's scenarios: the real main frame over the core, with the
// Qt services except the message box and the beep, which record what the core asked for instead
// of waiting for a person or sounding.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>

#include "app/application.h"
#include "frame/frame_commands.h"
#include "qt/dialogs/global_find_dialog.h"
#include "qt/frame/main_frame.h"
#include "qt/platform/qt_platform.h"
#include "qt/textview/document_window.h"
#include "qt_test_support.h"
#include "ui/fake_platform.h"
#include "widget_actions.h"

namespace nelvix::test {

struct Scene {
    QTemporaryDir home;
    qt::QtPlatform qtServices;
    ui::FakeMessageBox messages;
    ui::FakeBeeper beeper;
    ui::Platform platform{messages,
                          beeper,
                          qtServices.clipboard,
                          qtServices.eventPump,
                          qtServices.memory,
                          qtServices.fileDialogs};
    std::string homePath = QFile::encodeName(home.path()).toStdString();
    std::unique_ptr<Application> application = std::make_unique<Application>(
        platform, ApplicationPaths{homePath, homePath + "/etc", NELVIX_SPIN_LIBRARY_PATH});
    std::unique_ptr<qt::CMainFrame> frame = std::make_unique<qt::CMainFrame>(*application);

    /// Starts the program with `commandLine`; the first start's missing-cabinet message is
    /// dropped.
    explicit Scene(const std::string& commandLine = {}) {
        if (application->Start(*frame, commandLine) != StartResult::Running)
            qWarning("the start-up failed");
        messages.shown.clear();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            qWarning("the main frame was not exposed");
    }
    ~Scene() {
        frame.reset();
        application.reset();
    }

    qt::CKespoMCW* Open(const QString& path) {
        return frame->OpenDocumentWindow(ArgumentPath(path));
    }
    QList<QMdiSubWindow*> Windows() const {
        return frame->DocumentArea()->subWindowList(QMdiArea::CreationOrder);
    }
    qt::CKespoMCW* Active() const { return frame->ActiveDocumentWindow(); }
    std::size_t DocumentCount() const { return application->Documents().Documents().size(); }
    /// Lets queued events (window deletion, menu switches) run.
    static void Settle() { QCoreApplication::processEvents(); }
};

inline QByteArray TextHeld(const CKespoDoc& document) {
    return QByteArray(document.TextView().data(), qsizetype(document.TextView().size()));
}

inline QString SamplesFolder() {
    return QDir(QStringLiteral(NELVIX_SOURCE_DIR "/samples")).absolutePath();
}

/// A folder with a 200-line text whose lines 3 and 120 hold "target".
struct TagFolder {
    QTemporaryDir directory;
    TagFolder() {
        QByteArray text;
        for (int line = 1; line <= 200; ++line) {
            text += "line " + QByteArray::number(line);
            if (line == 3 || line == 120)
                text += " target";
            text += "\r\n";
        }
        QFile file(directory.filePath(QStringLiteral("lines.txt")));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    QString Spec() const { return directory.path() + QStringLiteral("/*.*"); }
    std::string LinesPath() const {
        return ArgumentPath(directory.filePath(QStringLiteral("lines.txt")));
    }
};

/// Fills the global find dialog as a person would once it shows, then runs `then`.
inline void FillGlobalFindWhenShown(const QString& pattern, const QString& spec,
                                    std::function<void()> then = {}) {
    WhenShown<qt::QtGlobalFindDialog>([pattern, spec, then](qt::QtGlobalFindDialog& dialog) {
        Child<QComboBox>(dialog, "pattern")->setEditText(pattern);
        Child<QComboBox>(dialog, "fileBox")->setEditText(spec);
        dialog.accept();
        if (then)
            then();
    });
}

/// Runs the global find command with the dialog filled as a person would.
inline void GlobalFind(Scene& scene, const QString& pattern, const QString& spec) {
    FillGlobalFindWhenShown(pattern, spec);
    scene.frame->RunCommand(kCmdGlobalFind);
    Scene::Settle();
}

/// The program as it runs for a person: every service real, boxes included; a box of the
/// start-up, should one come, is answered unless it tells of a limit.
struct RealProgram {
    QTemporaryDir home;
    qt::QtPlatform services;
    std::string homePath = QFile::encodeName(home.path()).toStdString();
    Application application{
        services.platform, ApplicationPaths{homePath, homePath + "/etc", NELVIX_SPIN_LIBRARY_PATH}};
    qt::CMainFrame frame{application};

    RealProgram() {
        services.SetOwner(&frame);
        WhenShown<QMessageBox>([](QMessageBox& shown) {
            if (!shown.text().contains(QStringLiteral("オーバー")))
                shown.accept();
        });
        if (application.Start(frame, {}) != StartResult::Running)
            qWarning("the start-up failed");
    }
};

/// A key pressed where the focus is, with the frame active.
inline void Press(Scene& scene, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    // Without a window manager nothing gives the frame back its activation after a dialog.
    if (QApplication::activeWindow() != scene.frame.get()) {
        QApplication::setActiveWindow(scene.frame.get());
        if (!QTest::qWaitForWindowActive(scene.frame.get()))
            qWarning("the main frame did not become active");
    }
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : scene.frame.get(), key, modifiers);
    Scene::Settle();
}

/// The first untitled document: a result list.
inline CKespoDoc* ResultDocument(Scene& scene) {
    for (const auto& document : scene.application->Documents().Documents())
        if (document->PathName().empty())
            return document.get();
    return nullptr;
}

} // namespace nelvix::test
