// The find dialog "文字列の検索": modeless, one for the whole program. It shows the fields the
// model proposes and hands its buttons to the model; the active text window is searched.
#pragma once

#include <QDialog>

#include <functional>

#include "find/find_dialog_model.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace nelvix {
class FindHistory;
}

namespace nelvix::qt {

class FindDialog final : public QDialog {
    Q_OBJECT
public:
    /// `activeTarget` gives the find target of the active text window; null when none is.
    FindDialog(FindDialogModel& model, const FindHistory& history,
               std::function<FindTarget*()> activeTarget, QWidget* parent = nullptr);

    /// Command 57636: opens the dialog with the fields the model proposes for the active
    /// window, or brings the open dialog forward.
    void OpenFind();
    FindDialogFields Fields() const;

    /// "次を検索": finds in the active window; the history list follows.
    void FindNext();
    /// Every way of closing ends here: the model forgets the dialog and clears the range.
    void done(int result) override;

private:
    void ShowFields(const FindDialogFields& fields);
    /// Refills the list from the history, keeping the text being edited.
    void FillHistory();
    void UpdateFindButton();

    FindDialogModel& m_model;
    const FindHistory& m_history;
    std::function<FindTarget*()> m_activeTarget;
    QComboBox* m_findString;
    QCheckBox* m_matchCase;
    QRadioButton* m_up;
    QRadioButton* m_down;
    QCheckBox* m_regularExpression;
    QCheckBox* m_widthSensitive;
    QPushButton* m_findNext;
};

} // namespace nelvix::qt
