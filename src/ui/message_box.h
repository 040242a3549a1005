// The platform's message box, as the core asks for it.
#pragma once

#include <string>

namespace nelvix::ui {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Question, Stop };

/// What the person pressed; Cancel also when the box was closed without a choice.
enum class MessageResult { Ok, Cancel, Yes, No };

/// The style of a box, in the terms the program uses.
struct MessageStyle {
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Warning;
    bool systemModal = false;
};

/// A box ready to show: texts are Shift-JIS; the platform converts them.
struct MessageRequest {
    int id = 0; ///< the message id the text came from, 0 for a text of its own
    std::string text;
    std::string caption;
    MessageStyle style;
};

class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual MessageResult Show(const MessageRequest& request) = 0;
};

} // namespace nelvix::ui
