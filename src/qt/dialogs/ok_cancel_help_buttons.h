// The button column of a dialog with help: "OK", "ｷｬﾝｾﾙ" and "ﾍﾙﾌﾟ".
#pragma once

#include "ui/frame_services.h"

class QDialog;
class QDialogButtonBox;

namespace nelvix::qt {

/// The column, named "ok" (the default button), "cancel" and "help": OK and ｷｬﾝｾﾙ go to the
/// dialog's accept and reject, ﾍﾙﾌﾟ shows topic `helpId` through `help`.
QDialogButtonBox* OkCancelHelpButtons(QDialog* dialog, ui::HelpViewer& help, int helpId);

} // namespace nelvix::qt
