// The "ﾌｧｲﾙ" page of the global extraction sheet: the file pattern with the extraction file
// history, "参照..." and the subdirectory check. The page only shows its model and hands it
// what the person does.
#pragma once

#include <QWidget>

#include "extract/extraction_file_page_model.h"

class QCheckBox;
class QComboBox;

namespace nelvix::qt {

class CExtFilePage final : public QWidget {
    Q_OBJECT
public:
    explicit CExtFilePage(ExtFilePageModel& model, QWidget* parent = nullptr);

    /// Shows the model: the history as the combo's list, the pattern as its text.
    void Show();
    /// Gives the pattern the focus with its whole text selected.
    void SelectPattern();
    /// "参照...": a file-open dialog titled "参照" for any file; the chosen path becomes the
    /// pattern.
    void Browse();

signals:
    void Changed();

private:
    ExtFilePageModel& m_model;
    QComboBox* m_pattern;
    QCheckBox* m_subdirectories;
    bool m_showing = false;
};

} // namespace nelvix::qt
