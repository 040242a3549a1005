// The menu bar and keys of the main frame.
#include "qt/frame/frame_menu_bar.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <iterator>

#include "frame/command_prompts.h"
#include "frame/frame_commands.h"
#include "frame/frame_toolbar.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

constexpr Qt::Key kQtKeys[] = {Qt::Key_1,  Qt::Key_2,  Qt::Key_3, Qt::Key_4,      Qt::Key_5,
                               Qt::Key_C,  Qt::Key_E,  Qt::Key_F, Qt::Key_G,      Qt::Key_L,
                               Qt::Key_N,  Qt::Key_O,  Qt::Key_P, Qt::Key_Insert, Qt::Key_F1,
                               Qt::Key_F2, Qt::Key_F5, Qt::Key_F6};
static_assert(std::size(kQtKeys) == static_cast<std::size_t>(FrameKey::F6) + 1);

QKeySequence SequenceOf(const KeyBinding& binding) {
    Qt::KeyboardModifiers modifiers;
    if (binding.modifiers.ctrl)
        modifiers |= Qt::ControlModifier;
    if (binding.modifiers.shift)
        modifiers |= Qt::ShiftModifier;
    return QKeySequence(QKeyCombination(modifiers, kQtKeys[static_cast<std::size_t>(binding.key)]));
}

/// A '&' of a name or path is shown, not taken as a mnemonic.
QString ShownAsIs(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString TableText(const MenuItem& item) {
    QString text = TableTextToQString(item.label);
    if (!item.keyText.empty())
        text += QLatin1Char('\t') + TableTextToQString(item.keyText);
    return text;
}

QString NumberedText(int number, const QString& text) {
    return QStringLiteral("&%1 ").arg(number) + ShownAsIs(text);
}

} // namespace

FrameMenuBar::FrameMenuBar(QMainWindow& window, const FrameCommandState& state, RunCommand run)
    : QObject(&window), m_window(window), m_state(state), m_run(std::move(run)) {
    m_menus2 = BuildMenu(FrameMenu::NoDocument);
    m_menus3 = BuildMenu(FrameMenu::Documents);
    AddKeys();
    Show(FrameMenu::NoDocument);
}

void FrameMenuBar::Show(FrameMenu menu) {
    m_shown = menu;
    QMenuBar* bar = m_window.menuBar();
    // Only the menus' own actions leave the bar; the menus are kept for the next switch.
    bar->clear();
    for (QMenu* popup : Menus())
        bar->addMenu(popup);
}

QList<QMenu*> FrameMenuBar::Menus() const {
    return m_shown == FrameMenu::NoDocument ? m_menus2 : m_menus3;
}

void FrameMenuBar::SetRecentFiles(const std::vector<std::string>& sjisPaths) {
    m_recentFiles.assign(sjisPaths.begin(),
                         sjisPaths.begin() +
                             std::min<std::ptrdiff_t>(std::ssize(sjisPaths), kRecentFileCount));
    // The items are made when the submenu opens, never while one of them is being chosen.
    for (QMenu* menu : m_recentMenus)
        menu->menuAction()->setEnabled(!m_recentFiles.empty());
}

void FrameMenuBar::SetDocumentArea(QMdiArea* area) {
    m_area = area;
}

QAction* FrameMenuBar::Action(int commandId) const {
    QList<QMenu*> pending = Menus();
    while (!pending.isEmpty()) {
        QMenu* menu = pending.takeFirst();
        for (QAction* action : menu->actions()) {
            if (action->menu() != nullptr)
                pending.append(action->menu());
            else if (m_items.contains(action) && m_items.value(action)->commandId == commandId)
                return action;
        }
    }
    return nullptr;
}

void FrameMenuBar::UpdateItems(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        const MenuItem* item = m_items.value(action);
        if (item == nullptr)
            continue;
        const int id = item->commandId;
        action->setEnabled(m_state.IsEnabled(id));
        if (item->checkable)
            action->setChecked(m_state.IsChecked(id));
        const std::string text = m_state.MenuText(id);
        action->setText(text.empty() ? TableText(*item) : ShownAsIs(SjisToQString(text)));
    }
}

QList<QMenu*> FrameMenuBar::BuildMenu(FrameMenu menu) {
    QList<QMenu*> menus;
    for (const MenuPopup& popup : FrameMenuPopups(menu)) {
        QMenu* built = NewMenu(TableTextToQString(popup.title));
        AddItems(*built, popup.items);
        menus.append(built);
    }
    return menus;
}

QMenu* FrameMenuBar::NewMenu(const QString& title) {
    auto* menu = new QMenu(title, &m_window);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateItems(*menu); });
    return menu;
}

void FrameMenuBar::AddItems(QMenu& menu, std::span<const MenuItem> items) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItemKind::Separator:
            menu.addSeparator();
            break;
        case MenuItemKind::Command: {
            QAction* action = menu.addAction(TableText(item));
            action->setData(item.commandId);
            action->setCheckable(item.checkable);
            action->setStatusTip(TableTextToQString(CommandPrompt(item.commandId)));
            m_items.insert(action, &item);
            connect(action, &QAction::triggered, this, [this, id = item.commandId] { m_run(id); });
            break;
        }
        case MenuItemKind::Submenu: {
            QMenu* submenu = NewMenu(TableTextToQString(item.label));
            AddItems(*submenu, item.items);
            menu.addMenu(submenu);
            break;
        }
        case MenuItemKind::RecentFiles: {
            QMenu* submenu = NewMenu(TableTextToQString(item.label));
            connect(submenu, &QMenu::aboutToShow, this,
                    [this, submenu] { FillRecentFiles(*submenu); });
            submenu->menuAction()->setEnabled(false);
            m_recentMenus.append(submenu);
            menu.addMenu(submenu);
            break;
        }
        case MenuItemKind::WindowList:
            m_windowMenu = &menu;
            connect(&menu, &QMenu::aboutToShow, this, &FrameMenuBar::FillWindowList);
            break;
        }
    }
}

void FrameMenuBar::AddKeys() {
    for (const KeyBinding& binding : FrameKeyTable()) {
        auto* action = new QAction(this);
        action->setShortcut(SequenceOf(binding));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setData(binding.commandId);
        connect(action, &QAction::triggered, this, [this, id = binding.commandId] {
            if (m_state.IsEnabled(id))
                m_run(id);
        });
        m_window.addAction(action);
        m_keyActions.append(action);
    }
}

void FrameMenuBar::FillRecentFiles(QMenu& menu) {
    menu.clear();
    for (std::size_t i = 0; i < m_recentFiles.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        QAction* action = menu.addAction(NumberedText(number, SjisPathToQString(m_recentFiles[i])));
        const int id = kCmdRecentFile1 + number - 1;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { m_run(id); });
    }
}

void FrameMenuBar::FillWindowList() {
    for (QAction* action : m_windowListActions) {
        m_windowMenu->removeAction(action);
        delete action;
    }
    m_windowListActions.clear();
    if (m_area == nullptr || m_area->subWindowList().isEmpty())
        return;
    m_windowListActions.append(m_windowMenu->addSeparator());
    int number = 0;
    for (QMdiSubWindow* window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        QAction* action = m_windowMenu->addAction(NumberedText(++number, window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == m_area->activeSubWindow());
        connect(action, &QAction::triggered, this,
                [area = m_area, shown = QPointer<QMdiSubWindow>(window)] {
                    if (area == nullptr || shown == nullptr)
                        return;
                    if (shown->isMinimized())
                        shown->showNormal();
                    area->setActiveSubWindow(shown);
                });
        m_windowListActions.append(action);
    }
}

} // namespace nelvix::qt
