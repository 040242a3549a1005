// Qt's keys and scroll-bar actions as the text window's own keys and scroll requests.
#pragma once

#include <Qt>

#include <optional>

#include "view/keys.h"
#include "view/text_window.h"

namespace nelvix::qt {

/// The text window's key for a Qt key code; nothing for a key it has no use for.
std::optional<Key> TextWindowKeyOf(int qtKey);

KeyModifiers ModifiersOf(Qt::KeyboardModifiers modifiers);

/// The request of a QAbstractSlider::SliderAction; nothing for no action.
std::optional<ScrollRequest> ScrollRequestOf(int sliderAction);

/// The key a vertical scroll-bar request stands for, as the text window handles it.
Key KeyOf(ScrollKey key);

} // namespace nelvix::qt
