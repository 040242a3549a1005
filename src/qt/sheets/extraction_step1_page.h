// The "ｽﾃｯﾌﾟ1" page of the extraction sheet: the line rules with the edits of one entry and the
// process. The page only shows its model and hands it what the person does.
#pragma once

#include <QWidget>

#include "extract/extraction_step1_page_model.h"

namespace nelvix {
class SpinLibrary;
}

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;

namespace nelvix::qt {

class ExtNumberField;

class CExtStep1Page final : public QWidget {
    Q_OBJECT
public:
    CExtStep1Page(ExtStep1PageModel& model, ui::Beeper& beeper, const SpinLibrary* spin,
                  QWidget* parent = nullptr);

    /// Shows the model: list, selection, edits, label and process.
    void Show();
    /// Selects the field a refusal names.
    void SelectField(ExtField field);
    /// Shows the spin arrows once the library is loaded.
    void FollowSpinLibrary();

signals:
    void Changed();

private:
    void ListSelectionChanged();

    ExtStep1PageModel& m_model;
    QButtonGroup* m_process;
    QLineEdit* m_text;
    QLabel* m_listLabel;
    QListWidget* m_list;
    ExtNumberField* m_position;
    ExtNumberField* m_count;
    bool m_showing = false;
};

} // namespace nelvix::qt
