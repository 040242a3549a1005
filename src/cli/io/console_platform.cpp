// Messages of the core shown on a console.
#include "cli/io/console_platform.h"

#include "base/cp932.h"

namespace nelvix::cli {

ui::MessageResult ConsoleMessageBox::Show(const ui::MessageRequest& request) {
    // The caption is the program's title on almost every box; the text alone says what happened.
    m_err << "nelvix-cli: " << Cp932ToUtf8(request.text) << '\n';
    ++m_shown;
    return ui::MessageResult::Ok;
}

} // namespace nelvix::cli
