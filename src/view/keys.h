// The keys the text window reacts to, with the Ctrl and Shift state; the front end maps its own
// key events onto them.
#pragma once

namespace nelvix {

enum class Key { Left, Right, Up, Down, Home, End, PageUp, PageDown, Escape, C, Insert, F2 };

struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
};

} // namespace nelvix
