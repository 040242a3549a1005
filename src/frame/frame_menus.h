// The main frame's two menus and its key table. Labels are UTF-8: they go only to the front end.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "view/keys.h"

namespace nelvix {

enum class MenuItemKind {
    Command,
    Separator,
    Submenu,
    RecentFiles, ///< a submenu the front end fills with the recent files
    WindowList,  ///< the open document windows, after the popup's own items
};

struct MenuItem {
    MenuItemKind kind = MenuItemKind::Command;
    int commandId = 0;
    std::string_view label;          ///< UTF-8, without a mnemonic
    std::string_view keyText;        ///< the key the label shows ("Ctrl+O"); empty for none
    bool checkable = false;          ///< shows whether a bar or ruler is on
    std::span<const MenuItem> items; ///< a submenu's items
};

struct MenuPopup {
    std::string_view title;
    std::span<const MenuItem> items;
};

/// Menu 2 while no document is open, menu 3 while any is.
enum class FrameMenu { NoDocument = 2, Documents = 3 };

std::span<const MenuPopup> FrameMenuPopups(FrameMenu menu);

/// The keys of the key table (the digits are the main keyboard's).
enum class FrameKey {
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    C,
    E,
    F,
    G,
    L,
    N,
    O,
    P,
    Insert,
    F1,
    F2,
    F5,
    F6
};

struct KeyBinding {
    FrameKey key;
    KeyModifiers modifiers;
    int commandId;
};

/// Active in the whole frame, whichever menu is shown.
std::span<const KeyBinding> FrameKeyTable();

/// The command of a key; nothing when the table has none.
std::optional<int> CommandOfKey(FrameKey key, KeyModifiers modifiers);

/// The key as a menu shows it: "Ctrl+Shift+F5", "F2", "Ctrl+Insert".
std::string KeyText(const KeyBinding& binding);

} // namespace nelvix
