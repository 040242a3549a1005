// The "ｽﾃｯﾌﾟ2" page of the extraction sheet: the block start and block end rules with the edits
// of one entry and the process. The page only shows its model and hands it what the person
// does.
#pragma once

#include <QWidget>

#include "extract/extraction_step2_page_model.h"

namespace nelvix {
class SpinLibrary;
}

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;

namespace nelvix::qt {

class ExtNumberField;

class CExtStep2Page final : public QWidget {
    Q_OBJECT
public:
    CExtStep2Page(ExtStep2PageModel& model, ui::Beeper& beeper, const SpinLibrary* spin,
                  QWidget* parent = nullptr);

    /// Shows the model: both lists, the selection, the edits, the labels and the process.
    void Show();
    void SelectField(ExtField field);
    void FollowSpinLibrary();

signals:
    void Changed();

protected:
    /// A list that gets the focus tells the model.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListSelectionChanged(ExtBlockList list);
    QListWidget* ListWidget(ExtBlockList list) const {
        return list == ExtBlockList::Start ? m_startList : m_endList;
    }

    ExtStep2PageModel& m_model;
    QButtonGroup* m_process;
    QLineEdit* m_text;
    QLabel* m_startLabel;
    QLabel* m_endLabel;
    QListWidget* m_startList;
    QListWidget* m_endList;
    ExtNumberField* m_position;
    bool m_showing = false;
};

} // namespace nelvix::qt
