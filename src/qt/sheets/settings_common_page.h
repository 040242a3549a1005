// The common page "共通  " of the settings sheet: start-up, selection, scrolling, the right
// double click, the code, the window bar, find and the HTML search's lengths.
#pragma once

#include <QWidget>

#include <array>

#include "settings_sheet/settings_common_page.h"

namespace nelvix {
class SpinLibrary;
}
namespace nelvix::ui {
class Beeper;
}

class QCheckBox;
class QComboBox;

namespace nelvix::qt {

class ExtNumberField;

class CCommonPage final : public QWidget {
    Q_OBJECT
public:
    CCommonPage(SetCommonPageModel& model, ui::Beeper& beeper, const SpinLibrary* spin,
                QWidget* parent = nullptr);

    /// The model's fields into the controls.
    void Show();
    /// The controls into the model's fields.
    void Take();
    /// Gives a number field the focus with its whole text selected.
    void Focus(SetField field);
    /// Shows the spin arrows once the library is loaded.
    void FollowSpinLibrary();

private:
    static constexpr std::size_t kChecks = 9;
    static constexpr std::size_t kNumbers = 4;

    ExtNumberField* NumberField(SetField field) const;

    SetCommonPageModel& m_model;
    std::array<QCheckBox*, kChecks> m_checks{};
    std::array<ExtNumberField*, kNumbers> m_numbers{};
    QComboBox* m_code;
};

} // namespace nelvix::qt
