// Message boxes from the string table, the out-of-memory box, and the memory check.
#include "ui/messages.h"

#include <cstdlib>

#include "ui/message_table.h"

namespace nelvix::ui {

MessageResult ShowMessage(Platform& platform, int id, MessageStyle style,
                          std::initializer_list<std::string_view> args) {
    if (id == kMsgOutOfMemory) {
        ShowOutOfMemory(platform);
        return MessageResult::Ok;
    }
    MessageRequest request;
    request.id = id;
    request.text = FormatMessage(MessageText(id), args);
    request.caption = MessageText(kMsgAppTitle);
    request.style = style;
    return platform.messageBox.Show(request);
}

void ShowOutOfMemory(Platform& platform, bool wholeFileReader) {
    MessageRequest request;
    request.id = kMsgOutOfMemory;
    request.text = MessageText(kMsgOutOfMemory);
    // Both captions are ASCII, the same bytes in Shift-JIS.
    request.caption = wholeFileReader ? kWholeFileOutOfMemoryCaptionUtf8 : kOutOfMemoryCaptionUtf8;
    request.style = {MessageButtons::Ok, MessageIcon::Stop, true};
    platform.messageBox.Show(request);
}

bool CheckMemory(Platform& platform, std::size_t bytes) {
    void* block = platform.memory.Allocate(bytes == 0 ? kDefaultMemoryCheck : bytes);
    if (block == nullptr) {
        ShowOutOfMemory(platform);
        return false;
    }
    std::free(block);
    return true;
}

} // namespace nelvix::ui
