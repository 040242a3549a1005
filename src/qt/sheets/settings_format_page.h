// The format page "書式  " of the settings sheet: document type, characters per line, tab width,
// the marks, word wrap and how lines are numbered.
#pragma once

#include <QWidget>

#include "settings_sheet/settings_format_page.h"

namespace nelvix {
class SpinLibrary;
}
namespace nelvix::ui {
class Beeper;
}

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace nelvix::qt {

class ExtNumberField;

class CFormatPage final : public QWidget {
    Q_OBJECT
public:
    CFormatPage(SetFormatPageModel& model, ui::Beeper& beeper, const SpinLibrary* spin,
                QWidget* parent = nullptr);

    void Show();
    void Take();
    /// Gives a number field the focus with its whole text selected.
    void Focus(SetField field);
    void FollowSpinLibrary();

private:
    SetFormatPageModel& m_model;
    QComboBox* m_documentType;
    ExtNumberField* m_charsPerLine;
    ExtNumberField* m_tabWidth;
    QCheckBox* m_showLineEnds;
    QCheckBox* m_showTabs;
    QCheckBox* m_wordWrap;
    QRadioButton* m_rowNumbering;
    QRadioButton* m_lineNumbering;
};

} // namespace nelvix::qt
