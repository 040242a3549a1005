// The counts dialog.
#include "qt/dialogs/counts_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/platform/caption_width.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

QFormLayout* LinesLayout(const std::vector<ui::CountLine>& lines) {
    auto* form = new QFormLayout;
    for (const ui::CountLine& line : lines) {
        auto* value = new QLabel(SjisToQString(line.value));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(90);
        form->addRow(SjisToQString(line.label), value);
    }
    return form;
}

} // namespace

void QtCountsDialog::Show(const ui::CountsReport& report) {
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("countsDialog"));
    dialog.setWindowTitle(SjisToQString(report.caption));
    auto* layout = new QVBoxLayout(&dialog);
    if (!report.lines.empty())
        layout->addLayout(LinesLayout(report.lines));
    auto* groups = new QHBoxLayout;
    for (const ui::CountGroup& group : report.groups) {
        auto* box = new QGroupBox(SjisToQString(group.title));
        box->setLayout(LinesLayout(group.lines));
        groups->addWidget(box);
    }
    layout->addLayout(groups);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    KeepCaptionWhole(dialog);
    dialog.exec();
}

} // namespace nelvix::qt
