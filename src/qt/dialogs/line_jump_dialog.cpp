// The line-jump dialog.
#include "qt/dialogs/line_jump_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/platform/convert.h"

namespace nelvix::qt {

LineJumpDialog::LineJumpDialog(ui::Platform& platform, const CKespoDoc& document, int numberingMode,
                               FindTarget& target, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_document(document), m_numberingMode(numberingMode),
      m_target(target), m_lineNumber(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("行番号の指定"));
    m_lineNumber->setObjectName(QStringLiteral("lineNumber"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("行番号"), m_lineNumber);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    m_lineNumber->setFocus();
}

void LineJumpDialog::accept() {
    const LineJumpResult result = JumpToLine(m_platform, m_document, m_numberingMode,
                                             QStringToSjis(m_lineNumber->text()), m_target);
    if (result == LineJumpResult::KeepOpen) {
        m_lineNumber->setFocus();
        m_lineNumber->selectAll();
        return;
    }
    m_result = result;
    QDialog::accept();
}

} // namespace nelvix::qt
