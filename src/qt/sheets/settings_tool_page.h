// The editor page "ｴﾃﾞｨﾀ" and the browser page "ﾌﾞﾗｳｻﾞ" of the settings sheet: the tool list's
// programs, the parameters and working directory of the one chosen, and "参照".
#pragma once

#include <QWidget>

#include "settings_sheet/settings_tool_page.h"

class QComboBox;
class QLineEdit;

namespace nelvix::qt {

class CToolPage : public QWidget {
    Q_OBJECT
public:
    /// `label` names the program list: "ｴﾃﾞｨﾀ" or "ﾌﾞﾗｳｻﾞ".
    CToolPage(SetToolPageModel& model, const QString& label, QWidget* parent = nullptr);

    /// The list's programs, and the fields of the entry the model shows with the whole
    /// program text selected.
    void Show();
    void Take();
    /// The focus on a field; the parameters or directory with their whole text selected.
    void Focus(SetField field, bool selectAll);
    /// "参照": a file-open dialog for the program.
    void Browse();

protected:
    /// The page comes up with the program field taking the focus, its whole text selected.
    void showEvent(QShowEvent* event) override;

private:
    void ShowFields();

    SetToolPageModel& m_model;
    QComboBox* m_program;
    QLineEdit* m_parameters;
    QLineEdit* m_directory;
};

class CEditorPage final : public CToolPage {
    Q_OBJECT
public:
    explicit CEditorPage(SetToolPageModel& model, QWidget* parent = nullptr);
};

class CBrowserPage final : public CToolPage {
    Q_OBJECT
public:
    explicit CBrowserPage(SetToolPageModel& model, QWidget* parent = nullptr);
};

} // namespace nelvix::qt
