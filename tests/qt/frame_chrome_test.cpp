// The main frame's chrome on a window: both menus and their keys, items following the command
// state, recent files and the window list, the toolbar and its find box, the status panes and
// the window bar.
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QtTest>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "frame/frame_commands.h"
#include "frame/frame_toolbar.h"
#include "qt/frame/find_box.h"
#include "qt/frame/frame_menu_bar.h"
#include "qt/frame/frame_status_bar.h"
#include "qt/frame/frame_tool_bar.h"
#include "qt/frame/window_bar.h"
#include "qt_test_support.h"
#include "record/command_table.h"
#include "view/text_window.h"

using namespace nelvix;
using namespace nelvix::qt;
using nelvix::test::SaveScreenshot;

namespace {

constexpr int kDotsPerInch = 96;

class FakeState final : public FrameCommandState {
public:
    bool IsEnabled(int id) const override { return !disabled.contains(id); }
    bool IsChecked(int id) const override { return checked.contains(id); }
    std::string MenuText(int id) const override { return Lookup(menuTexts, id); }
    std::string ToolTipText(int id) const override { return Lookup(toolTips, id); }

    std::set<int> disabled;
    std::set<int> checked;
    std::map<int, std::string> menuTexts; ///< Shift-JIS
    std::map<int, std::string> toolTips;  ///< Shift-JIS

private:
    static std::string Lookup(const std::map<int, std::string>& texts, int id) {
        const auto found = texts.find(id);
        return found == texts.end() ? std::string() : found->second;
    }
};

/// A main window with every piece of the chrome, the window bar above a document area.
struct Chrome {
    FakeState state;
    std::vector<int> ran;
    QMainWindow window;
    FrameMenuBar* menus = new FrameMenuBar(window, state, [this](int id) { ran.push_back(id); });
    FrameToolBar* toolBar = new FrameToolBar(
        state, [this](int id) { ran.push_back(id); }, kDotsPerInch);
    FrameStatusBar* statusBar = new FrameStatusBar(kDotsPerInch);
    WindowBar* windowBar = new WindowBar(kDotsPerInch);
    QMdiArea* area = new QMdiArea;

    Chrome() {
        window.addToolBar(toolBar);
        window.setStatusBar(statusBar);
        window.setCentralWidget(DocumentAreaWithWindowBar(area, windowBar, true));
        menus->SetDocumentArea(area);
        toolBar->UpdateButtons();
        window.resize(900, 500);
        window.show();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the window did not become active");
    }

    /// A document window with a widget that takes the keyboard focus.
    QMdiSubWindow* AddDocumentWindow(const QString& title) {
        auto* text = new QWidget;
        text->setFocusPolicy(Qt::StrongFocus);
        QMdiSubWindow* sub = area->addSubWindow(text);
        sub->setWindowTitle(title);
        sub->show();
        return sub;
    }
};

/// Every menu and submenu of the shown menu, as if each were opened.
void OpenEveryMenu(const FrameMenuBar& menus) {
    QList<QMenu*> pending = menus.Menus();
    while (!pending.isEmpty()) {
        QMenu* menu = pending.takeFirst();
        emit menu->aboutToShow();
        for (QAction* action : menu->actions())
            if (action->menu() != nullptr)
                pending.append(action->menu());
    }
}

QMenu* RecentFilesMenu(const FrameMenuBar& menus) {
    for (QAction* action : menus.Menus().front()->actions())
        if (action->menu() != nullptr)
            return action->menu();
    return nullptr;
}

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class FrameChromeTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_chrome = std::make_unique<Chrome>(); }
    void cleanup() { m_chrome.reset(); }

    void keysWorkInEitherMenuAndInADocumentWindow() {
        Chrome& c = *m_chrome;
        QWidget* text = c.AddDocumentWindow(QStringLiteral("a"))->widget();
        text->setFocus();
        QTRY_VERIFY(text->hasFocus());
        c.menus->Show(FrameMenu::Documents);
        QTest::keyClick(text, Qt::Key_F5);
        c.menus->Show(FrameMenu::NoDocument);
        QTest::keyClick(text, Qt::Key_Insert, Qt::ControlModifier);
        c.menus->Show(FrameMenu::Documents);
        QTest::keyClick(text, Qt::Key_3, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_F1, Qt::ShiftModifier);
        QTest::keyClick(text, Qt::Key_N, Qt::ControlModifier);
        c.state.disabled.insert(kCmdFileOpen);
        QTest::keyClick(text, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(c.ran, std::vector<int>(
                            {kCmdNextTag, kCmdCopy, kCmdUserTool1 + 2, kCmdContextHelp, 32822}));
    }

    void itemsFollowTheState() {
        Chrome& c = *m_chrome;
        c.state.disabled = {kCmdFileClose};
        c.state.checked = {kCmdToolBar};
        c.state.menuTexts[kCmdUserTool1] = Sjis("Find&Cut\tCtrl+1");
        c.menus->Show(FrameMenu::Documents);
        OpenEveryMenu(*c.menus);
        QVERIFY(!c.menus->Action(kCmdFileClose)->isEnabled());
        QVERIFY(c.menus->Action(kCmdFileOpen)->isEnabled());
        QVERIFY(c.menus->Action(kCmdToolBar)->isChecked());
        QVERIFY(!c.menus->Action(kCmdStatusBar)->isChecked());
        QCOMPARE(c.menus->Action(kCmdUserTool1)->text(), QStringLiteral("Find&&Cut\tCtrl+1"));
        QCOMPARE(c.menus->Action(kCmdUserTool1 + 1)->text(), Utf8("ﾕｰｻﾞﾂｰﾙ2\tCtrl+2"));
        c.state.disabled.clear();
        OpenEveryMenu(*c.menus);
        QVERIFY(c.menus->Action(kCmdFileClose)->isEnabled());
    }

    void recentFilesAndTheWindowList() {
        Chrome& c = *m_chrome;
        QVERIFY(!RecentFilesMenu(*c.menus)->menuAction()->isEnabled());
        c.menus->SetRecentFiles({"/tmp/a.txt", Sjis("/tmp/日本.txt"), "c", "d", "e"});
        c.menus->Show(FrameMenu::Documents);
        QMenu* recent = RecentFilesMenu(*c.menus);
        QVERIFY(recent->menuAction()->isEnabled());
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 4);
        QCOMPARE(recent->actions()[1]->text(), Utf8("&2 /tmp/日本.txt"));
        recent->actions()[1]->trigger();
        QCOMPARE(c.ran, std::vector<int>({kCmdRecentFile1 + 1}));

        QMdiSubWindow* first = c.AddDocumentWindow(QStringLiteral("a&b"));
        c.AddDocumentWindow(QStringLiteral("c"));
        QMenu* windows = c.menus->Menus()[5];
        for (int opened = 0; opened < 2; ++opened)
            emit windows->aboutToShow();
        const QList<QAction*> items = windows->actions();
        QCOMPARE(items[items.size() - 2]->text(), QStringLiteral("&1 a&&b"));
        QVERIFY(items.back()->isChecked());
        items[items.size() - 2]->trigger();
        QCOMPARE(c.area->activeSubWindow(), first);
    }

    void findBoxListsTheHistoryAndHandsOverEnterAndEscape() {
        Chrome& c = *m_chrome;
        FindBox& box = c.toolBar->Box();
        QVERIFY(c.toolBar->isAncestorOf(&box));
        QCOMPARE(box.width(), kFindBoxWidthPixels);
        std::vector<std::string> history;
        for (int i = 0; i < 25; ++i)
            history.push_back(Sjis("検索") + std::to_string(i));
        c.toolBar->RefreshFindBox(history);
        QCOMPARE(box.count(), 20);
        QCOMPARE(box.currentText(), Utf8("検索0"));
        std::vector<std::string> entered;
        int escapes = 0;
        box.SetOnEnter([&](const std::string& text) { entered.push_back(text); });
        box.SetOnEscape([&] { ++escapes; });
        box.TakeFocus();
        // Keys go where the focus is: the box, which holds it for its line edit.
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus, &box);
        QTest::keyClicks(focus, QStringLiteral("x"));
        QTest::keyClick(focus, Qt::Key_Return);
        QTest::keyClick(focus, Qt::Key_Escape);
        QCOMPARE(entered, std::vector<std::string>({"x"}));
        QCOMPARE(escapes, 1);
        QCOMPARE(box.count(), 20);
        box.showPopup();
        QCOMPARE(box.view()->window()->height(), kFindBoxListHeightPixels);
        box.hidePopup();
    }

    void toolbarButtonsFollowTheState() {
        Chrome& c = *m_chrome;
        QAction* open = c.toolBar->Button(kCmdFileOpen);
        QCOMPARE(open->toolTip(), Utf8("開く"));
        QCOMPARE(open->statusTip(), Utf8("保存されているﾌｧｲﾙを開く"));
        c.state.toolTips[kCmdUserTool1 + 1] = Sjis("抽出");
        c.state.disabled = {kCmdCopy};
        c.toolBar->UpdateButtons();
        QCOMPARE(c.toolBar->Button(kCmdUserTool1 + 1)->toolTip(), Utf8("抽出"));
        QCOMPARE(c.toolBar->Button(kCmdUserTool1)->toolTip(), QString());
        QVERIFY(!c.toolBar->Button(kCmdCopy)->isEnabled());
        c.toolBar->Button(195)->trigger();
        QCOMPARE(c.ran, std::vector<int>({195}));
    }

    void statusPanesShowThePositionInTheirWidth() {
        Chrome& c = *m_chrome;
        c.statusBar->SetPositionPanes({"00012", "001", "234"});
        QLabel* line = c.statusBar->Pane(kLinePaneId);
        QCOMPARE(line->text(), QStringLiteral("00012"));
        QCOMPARE(c.statusBar->Pane(kColumnLowPaneId)->text(), QStringLiteral("234"));
        QVERIFY(line->contentsRect().width() >=
                line->fontMetrics().horizontalAdvance(QStringLiteral("00012")));
        QVERIFY(c.statusBar->Pane(kColumnPaneId)->width() < line->width());
        QCOMPARE(c.statusBar->Pane(1), nullptr);
    }

    void windowBarTabsSelectionAndHeight() {
        Chrome& c = *m_chrome;
        QTabBar& tabs = c.windowBar->Tabs();
        std::vector<std::size_t> selected;
        c.windowBar->SetOnSelected([&](std::size_t index) { selected.push_back(index); });
        c.windowBar->Refresh({"a", Sjis("無題1"), "c"});
        QCOMPARE(tabs.count(), 3);
        QCOMPARE(tabs.tabText(1), Utf8("無題1"));
        c.windowBar->Select(2);
        QCOMPARE(tabs.currentIndex(), 2);
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(1).center());
        QCOMPARE(selected, std::vector<std::size_t>({1}));

        const int textHeight = tabs.fontMetrics().height();
        QCOMPARE(c.windowBar->height(), textHeight + 8);
        c.windowBar->SetHeightAdjust(10);
        QTRY_COMPARE(tabs.y(), 10);
        QCOMPARE(c.windowBar->height(), textHeight + 18);
        QCOMPARE(tabs.height(), textHeight + 8);

        c.windowBar->Refresh(std::vector<std::string>(101, "x"));
        QCOMPARE(tabs.count(), 100);
        c.windowBar->Select(100);
        QCOMPARE(selected.size(), std::size_t(1));
    }

    void screenshotsOfBothMenus() {
        Chrome& c = *m_chrome;
        c.toolBar->RefreshFindBox({Sjis("検索文字列")});
        SaveScreenshot(c.window, QStringLiteral("frame-chrome-menu2"));
        c.menus->Show(FrameMenu::Documents);
        c.AddDocumentWindow(Utf8("見本.txt"));
        c.AddDocumentWindow(Utf8("無題1"));
        c.windowBar->Refresh({Sjis("見本.txt"), Sjis("無題1")});
        c.windowBar->Select(1);
        c.statusBar->SetPositionPanes({"00012", "001", "234"});
        SaveScreenshot(c.window, QStringLiteral("frame-chrome-menu3"));
        c.windowBar->SetButtonStyle(true);
        c.windowBar->SetHeightAdjust(10);
        QTRY_COMPARE(c.area->y(), c.windowBar->geometry().bottom() + 1);
        SaveScreenshot(c.window, QStringLiteral("frame-chrome-button-tabs"));
        QMenu* view = c.menus->Menus()[2];
        view->popup(c.window.mapToGlobal(QPoint(40, 30)));
        QTRY_VERIFY(view->isVisible());
        SaveScreenshot(*view, QStringLiteral("frame-chrome-menu3-view"));
        view->hide();
    }

private:
    std::unique_ptr<Chrome> m_chrome;
};

QTEST_MAIN(FrameChromeTest)
#include "frame_chrome_test.moc"
