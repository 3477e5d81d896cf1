// ShowMessageBox: the hook that lets tests answer the boxes, in front of the
// system's real box (message_box_qt.cpp, message_box_win32.cpp).
#include "ui/dialog/message_box.h"

#include "ui/dialog/message_box_system.h"

#include <utility>

namespace {

MessageBoxHandler& CurrentHandler() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

int ShowMessageBox(CDialog* owner, const std::string& text, const std::string& caption, unsigned style) {
    const MessageBoxCall call{owner, text, caption, style};
    if (const MessageBoxHandler& handler = CurrentHandler()) return handler(call);
    return ShowSystemMessageBox(call);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}
