// Mapping Qt's keys and scroll-bar actions onto the text window's.
#include "qt/textview/text_window_input.h"

#include <QAbstractSlider>

namespace nelvix::qt {

std::optional<Key> TextWindowKeyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_C:
        return Key::C;
    case Qt::Key_Insert:
        return Key::Insert;
    case Qt::Key_F2:
        return Key::F2;
    default:
        return std::nullopt;
    }
}

KeyModifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier)};
}

std::optional<ScrollRequest> ScrollRequestOf(int sliderAction) {
    switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepSub:
        return ScrollRequest::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return ScrollRequest::LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return ScrollRequest::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return ScrollRequest::PageDown;
    case QAbstractSlider::SliderToMinimum:
        return ScrollRequest::Top;
    case QAbstractSlider::SliderToMaximum:
        return ScrollRequest::Bottom;
    case QAbstractSlider::SliderMove:
        return ScrollRequest::ThumbTrack;
    default:
        return std::nullopt;
    }
}

Key KeyOf(ScrollKey key) {
    switch (key) {
    case ScrollKey::Up:
        return Key::Up;
    case ScrollKey::Down:
        return Key::Down;
    case ScrollKey::PageUp:
        return Key::PageUp;
    case ScrollKey::PageDown:
        return Key::PageDown;
    case ScrollKey::Home:
        return Key::Home;
    case ScrollKey::End:
        return Key::End;
    }
    return Key::End;
}

} // namespace nelvix::qt
