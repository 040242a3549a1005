// The modal dialog that reports the counts of a finished run: lines of "label value", groups of
// such lines, and an "OK" button.
#pragma once

#include <QWidget>

#include "ui/frame_services.h"

namespace nelvix::qt {

class QtCountsDialog final : public ui::CountsDialog {
public:
    explicit QtCountsDialog(QWidget* parent) : m_parent(parent) {}
    void Show(const ui::CountsReport& report) override;

private:
    QWidget* m_parent;
};

} // namespace nelvix::qt
