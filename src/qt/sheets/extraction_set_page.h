// The "ﾊﾟﾗﾒｰﾀ" page of the extraction sheet: run step, options and separator. The page only
// shows its model and hands it what the person does.
#pragma once

#include <QWidget>

#include <array>

#include "extract/extraction_set_page_model.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace nelvix::qt {

class CExtSetPage final : public QWidget {
    Q_OBJECT
public:
    explicit CExtSetPage(ExtSetPageModel& model, QWidget* parent = nullptr);

    /// Shows the model's values.
    void Show();

signals:
    /// The person changed something: the page is modified.
    void Changed();

private:
    void SeparatorEdited(const QString& text);

    ExtSetPageModel& m_model;
    QButtonGroup* m_runSteps;
    std::array<QCheckBox*, kExtSetCheckCount> m_checks{};
    QLineEdit* m_separator;
};

} // namespace nelvix::qt
