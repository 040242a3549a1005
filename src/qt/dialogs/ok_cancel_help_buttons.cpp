// The button column of a dialog with help.
#include "qt/dialogs/ok_cancel_help_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace nelvix::qt {

QDialogButtonBox* OkCancelHelpButtons(QDialog* dialog, ui::HelpViewer& help, int helpId) {
    auto* buttons = new QDialogButtonBox(Qt::Vertical, dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    QPushButton* helpButton =
        buttons->addButton(QStringLiteral("ﾍﾙﾌﾟ"), QDialogButtonBox::HelpRole);
    helpButton->setObjectName(QStringLiteral("help"));

    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(helpButton, &QPushButton::clicked, dialog,
                     [&help, helpId] { help.ShowTopic(helpId); });
    return buttons;
}

} // namespace nelvix::qt
