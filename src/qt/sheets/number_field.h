// A number field of the extraction sheet with its spin control: the text as typed, digits only
// (and a leading '-' where negative numbers are allowed), and arrows that step it by one under
// the rules of the loaded spin-control library.
#pragma once

#include <QWidget>

#include <string>

namespace nelvix {
class SpinLibrary;
}
namespace nelvix::ui {
class Beeper;
}

class QLineEdit;
class QToolButton;

namespace nelvix::qt {

class ExtNumberField final : public QWidget {
    Q_OBJECT
public:
    /// `spin` may be null or not yet loaded: the field then takes plain digits and shows no
    /// arrows. `name` names the edit (the arrows are `name`Up and `name`Down).
    ExtNumberField(ui::Beeper& beeper, const SpinLibrary* spin, bool allowNegative,
                   const QString& name, QWidget* parent = nullptr);

    QLineEdit* Edit() const { return m_edit; }
    /// The text, ASCII as typed.
    std::string Text() const;
    /// Replaces the text without reporting an edit.
    void SetText(const std::string& text);
    /// Gives the edit the focus with its whole text selected.
    void SelectAll();
    /// One arrow step: +1 up, -1 down; a step the library refuses beeps.
    void Step(int delta);
    /// Shows the arrows when the library is loaded (it is loaded after the frame is built).
    void FollowLibrary();
    /// A typed character the field does not take beeps, as in the settings sheet's fields.
    void SetBeepOnRefusedCharacters(bool on) { m_beepOnRefused = on; }

signals:
    /// The person typed or stepped.
    void Edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool SpinLoaded() const;
    /// A typed text holds a printable character that the field does not take.
    bool RefusesTyped(const QString& text) const;

    ui::Beeper& m_beeper;
    const SpinLibrary* m_spin;
    bool m_allowNegative;
    QLineEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
    bool m_beepOnRefused = false;
};

} // namespace nelvix::qt
