// The line-jump dialog "行番号の指定": modal, one field; the core checks the number and jumps.
#pragma once

#include <QDialog>

#include <optional>

#include "find/line_jump.h"

class QLineEdit;

namespace nelvix::ui {
struct Platform;
}

namespace nelvix::qt {

class LineJumpDialog final : public QDialog {
    Q_OBJECT
public:
    /// `numberingMode` is the display block's line numbering (0 rows, 1 lines).
    LineJumpDialog(ui::Platform& platform, const CKespoDoc& document, int numberingMode,
                   FindTarget& target, QWidget* parent = nullptr);

    /// OK: jumps through the core; a field it does not take keeps the dialog open.
    void accept() override;
    /// What OK led to; nothing after a cancel.
    std::optional<LineJumpResult> Result() const { return m_result; }

private:
    ui::Platform& m_platform;
    const CKespoDoc& m_document;
    int m_numberingMode;
    FindTarget& m_target;
    QLineEdit* m_lineNumber;
    std::optional<LineJumpResult> m_result;
};

} // namespace nelvix::qt
