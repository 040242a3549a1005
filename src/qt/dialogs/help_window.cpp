// The help window.
#include "qt/dialogs/help_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "qt/platform/convert.h"
#include "ui/message_ids.h"
#include "ui/message_table.h"

namespace nelvix::qt {
namespace {

/// The index page below a help folder: the help is written in Japanese.
const char kIndexPage[] = "/ja/index.html";

} // namespace

HelpWindow::HelpWindow(ui::Platform& platform, QString helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), m_platform(platform), m_helpFile(std::move(helpFile)),
      m_browser(new QTextBrowser(this)) {
    m_browser->setObjectName(QStringLiteral("helpText"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(m_browser->documentTitle()); });
}

void HelpWindow::ShowTopic(int helpId) {
    if (!QFileInfo(m_helpFile).isFile()) {
        ui::MessageRequest request;
        request.text =
            QStringToSjis(QStringLiteral("ヘルプファイルが見つかりません。\n") + m_helpFile);
        request.caption = ui::MessageText(ui::kMsgAppTitle);
        m_platform.messageBox.Show(request);
        return;
    }
    QUrl url = QUrl::fromLocalFile(m_helpFile);
    if (helpId != 0)
        url.setFragment(QStringLiteral("cmd%1").arg(helpId));
    m_browser->setSource(url);
    if (helpId == 0)
        m_browser->verticalScrollBar()->setValue(0);
    FollowModalDialog();
    show();
    raise();
    activateWindow();
}

void HelpWindow::FollowModalDialog() {
    // A modal dialog blocks every window but its own, so the help opened from its button
    // belongs to it until it closes and then goes back to its owner.
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog == parentWidget())
        return;
    const QPointer<QWidget> owner = parentWidget();
    MoveTo(dialog);
    connect(
        dialog, &QDialog::finished, this, [this, owner] { MoveTo(owner); },
        Qt::SingleShotConnection);
}

void HelpWindow::MoveTo(QWidget* owner) {
    const QRect where = geometry();
    const bool shown = isVisible();
    setParent(owner, Qt::Window);
    setGeometry(where);
    if (shown)
        show();
}

QString HelpWindow::DefaultHelpFile() {
    return HelpFileBeside(QCoreApplication::applicationDirPath());
}

QString HelpWindow::HelpFileBeside(const QString& programFolder) {
    const QString installed =
        programFolder + QStringLiteral("/../share/nelvix/help") + QString::fromUtf8(kIndexPage);
    if (QFileInfo(installed).isFile())
        return QFileInfo(installed).canonicalFilePath();
    const QString source =
        QString::fromUtf8(NELVIX_SOURCE_HELP_DIR) + QString::fromUtf8(kIndexPage);
    return QFileInfo(source).isFile() ? source : installed;
}

} // namespace nelvix::qt
