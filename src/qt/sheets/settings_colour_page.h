// The colour page "ｶﾗｰ" of the settings sheet: a colour list for each coloured part of a text.
#pragma once

#include <QWidget>

#include <array>

#include "settings_sheet/settings_colour_page.h"

namespace nelvix::qt {

class ColourComboBox;

class CColourPage final : public QWidget {
    Q_OBJECT
public:
    explicit CColourPage(SetColourPageModel& model, QWidget* parent = nullptr);

    void Show();
    void Take();
    /// The list of control `index` of kColourControls; the hidden ones exist but are not shown.
    ColourComboBox* List(std::size_t index) const { return m_lists[index]; }

private:
    SetColourPageModel& m_model;
    std::array<ColourComboBox*, kColourControlCount> m_lists{};
};

} // namespace nelvix::qt
