// The program's help as the help window reads it: every command of the menus, the key table and
// the toolbar, every page of the settings sheet and every dialog's help button has its topic at
// the anchor the window opens.
#include <QDialog>
#include <QFile>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

#include <set>
#include <span>

#include "find/find_dialog_model.h"
#include "frame/frame_commands.h"
#include "frame/frame_menus.h"
#include "frame/frame_toolbar.h"
#include "qt/dialogs/help_window.h"
#include "qt_test_support.h"
#include "record/command_table.h"
#include "record/operation_recorder.h"
#include "ui/fake_platform.h"

using namespace nelvix;

namespace {

QString HelpIndex() {
    return QString::fromUtf8(NELVIX_SOURCE_DIR) + QStringLiteral("/help/ja/index.html");
}

/// The anchor names of the page as Qt's rich text reads them.
QSet<QString> Anchors(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    QSet<QString> anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (const QString& name : it.fragment().charFormat().anchorNames())
                anchors.insert(name);
    return anchors;
}

void AddMenuCommands(std::span<const MenuItem> items, std::set<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command)
            ids.insert(item.commandId);
        else if (item.kind == MenuItemKind::Submenu)
            AddMenuCommands(item.items, ids);
        else if (item.kind == MenuItemKind::RecentFiles)
            for (int id = kCmdRecentFile1; id <= kCmdRecentFileLast; ++id)
                ids.insert(id);
    }
}

/// Every command a person can reach: both menus, the key table and the toolbar's buttons.
std::set<int> FrameCommands() {
    std::set<int> ids;
    for (FrameMenu menu : {FrameMenu::NoDocument, FrameMenu::Documents})
        for (const MenuPopup& popup : FrameMenuPopups(menu))
            AddMenuCommands(popup.items, ids);
    for (const KeyBinding& binding : FrameKeyTable())
        ids.insert(binding.commandId);
    for (const ToolbarItem& item : FrameToolbar())
        if (item.kind == ToolbarItemKind::Button)
            ids.insert(item.commandId);
    return ids;
}

/// The help ids of the settings sheet's pages and of the dialogs' help buttons.
constexpr int kDialogTopics[] = {
    32813,                // 設定 - 共通
    32816,                // 設定 - 書式
    32817,                // 設定 - カラー
    32821,                // 設定 - エディタ
    32835,                // 設定 - ブラウザ
    kCmdGlobalFind,       // グローバル検索
    kCmdLineExtraction,   // 行の抽出
    kCmdGlobalExtraction, // グローバル抽出
    kCmdHtmlSearch,       // ＨＴＭＬ検索
    kCmdSaveOperation,    // 操作の保存
    kCmdRecallOperation,  // 操作の呼出し
    kFindCommand,         // 文字列の検索
};

} // namespace

class HelpTopicsTest : public QObject {
    Q_OBJECT
private slots:
    void everyCommandAndDialogHasItsTopic();
    void helpFromAModalDialogBelongsToItUntilItCloses();
};

void HelpTopicsTest::everyCommandAndDialogHasItsTopic() {
    const QSet<QString> anchors = Anchors(HelpIndex());
    QVERIFY2(!anchors.isEmpty(), qPrintable(HelpIndex()));
    std::set<int> topics = FrameCommands();
    QVERIFY(topics.size() > 50);
    topics.insert(std::begin(kDialogTopics), std::end(kDialogTopics));
    QStringList missing;
    for (int id : topics)
        if (!anchors.contains(QStringLiteral("cmd%1").arg(id)))
            missing << QString::number(id);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

void HelpTopicsTest::helpFromAModalDialogBelongsToItUntilItCloses() {
    ui::FakePlatform fake;
    QWidget frame;
    frame.show();
    qt::HelpWindow help(fake.platform, HelpIndex());
    help.setParent(&frame, Qt::Window);
    QDialog dialog(&frame);
    QWidget* ownerWhileOpen = nullptr;
    bool shownWhileOpen = false;
    test::WhenShown<QDialog>([&](QDialog& shown) {
        help.ShowTopic(kCmdSaveOperation);
        ownerWhileOpen = help.parentWidget();
        shownWhileOpen = help.isVisible();
        shown.reject();
    });
    dialog.exec();
    // Windows outside a modal dialog take no input, so the help must be the dialog's.
    QCOMPARE(ownerWhileOpen, &dialog);
    QVERIFY(shownWhileOpen);
    QCOMPARE(help.parentWidget(), &frame);
    QVERIFY(help.isVisible());
    QVERIFY(help.isWindow());
}

QTEST_MAIN(HelpTopicsTest)
#include "help_topics_test.moc"
