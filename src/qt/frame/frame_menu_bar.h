// The main frame's menu bar (menu 2 or menu 3) and its keys, built from the core's tables. Every
// item and key carries its command id and runs it through one callback.
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

#include "frame/frame_command_state.h"
#include "frame/frame_menus.h"

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;

namespace nelvix::qt {

class FrameMenuBar final : public QObject {
    Q_OBJECT
public:
    using RunCommand = std::function<void(int commandId)>;

    /// Builds both menus, shows menu 2 in the window's menu bar, and gives the window the keys of
    /// the key table. The keys stay with the window whichever menu is shown and wherever the
    /// focus is inside it; a key whose command the state disables does nothing.
    FrameMenuBar(QMainWindow& window, const FrameCommandState& state, RunCommand run);

    /// Puts menu 2 or menu 3 into the menu bar.
    void Show(FrameMenu menu);
    FrameMenu Shown() const { return m_shown; }

    /// The recent files (Shift-JIS paths), newest first; item k runs kCmdRecentFile1 + k.
    void SetRecentFiles(const std::vector<std::string>& sjisPaths);
    /// The area whose windows the "ｳｨﾝﾄﾞｳ" menu lists; choosing one activates it.
    void SetDocumentArea(QMdiArea* area);

    /// The item of `commandId` in the shown menu; null when it has none.
    QAction* Action(int commandId) const;
    /// The top-level menus of the shown menu, left to right.
    QList<QMenu*> Menus() const;
    /// One action per key of the key table, in the table's order.
    const QList<QAction*>& KeyActions() const { return m_keyActions; }

    /// Enables, checks and relabels the items of `menu` as the state says; done each time a menu
    /// is about to show.
    void UpdateItems(QMenu& menu);

private:
    QList<QMenu*> BuildMenu(FrameMenu menu);
    void AddItems(QMenu& menu, std::span<const MenuItem> items);
    QMenu* NewMenu(const QString& title);
    void AddKeys();
    void FillRecentFiles(QMenu& menu);
    void FillWindowList();

    QMainWindow& m_window;
    const FrameCommandState& m_state;
    RunCommand m_run;
    FrameMenu m_shown = FrameMenu::NoDocument;
    QList<QMenu*> m_menus2;
    QList<QMenu*> m_menus3;
    QHash<QAction*, const MenuItem*> m_items;
    QList<QMenu*> m_recentMenus;
    std::vector<std::string> m_recentFiles;
    QMenu* m_windowMenu = nullptr;
    QList<QAction*> m_windowListActions;
    QPointer<QMdiArea> m_area;
    QList<QAction*> m_keyActions;
};

} // namespace nelvix::qt
