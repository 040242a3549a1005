// The program's own HTML help in a window of its own, opened at the topic of a command.
#pragma once

#include <QString>
#include <QWidget>

#include "ui/frame_services.h"
#include "ui/platform.h"

class QTextBrowser;

namespace nelvix::qt {

class HelpWindow final : public QWidget, public ui::HelpViewer {
    Q_OBJECT
public:
    /// `helpFile` is the help's index page; a missing one is reported through `platform` when a
    /// topic is asked for.
    explicit HelpWindow(ui::Platform& platform, QString helpFile = DefaultHelpFile(),
                        QWidget* parent = nullptr);

    /// Shows the window at the anchor "cmd<id>" of the index page; 0 shows its beginning.
    void ShowTopic(int helpId) override;
    QTextBrowser* Browser() const { return m_browser; }

    /// HelpFileBeside the running program's folder.
    static QString DefaultHelpFile();
    /// The installed help beside a program in `programFolder` (<bin>/../share/nelvix/help),
    /// else the help of the source tree the program was built from; the installed path when
    /// neither exists.
    static QString HelpFileBeside(const QString& programFolder);

private:
    /// Opened while a modal dialog runs, the window becomes the dialog's until it closes.
    void FollowModalDialog();
    void MoveTo(QWidget* owner);

    ui::Platform& m_platform;
    QString m_helpFile;
    QTextBrowser* m_browser;
};

} // namespace nelvix::qt
