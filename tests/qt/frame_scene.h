// A running program for the main window's scenarios: the real main frame over the core, with the
// Qt services except the message box and the beep, which record what the core asked for instead
// of waiting for a person or sounding.
#pragma once

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

#include "app/application.h"
#include "qt/kespo_mcw.h"
#include "qt/main_frame.h"
#include "qt/qt_platform.h"
#include "qt_test_support.h"
#include "ui/fake_platform.h"

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

} // namespace nelvix::test
