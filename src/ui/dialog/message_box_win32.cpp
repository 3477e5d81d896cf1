// ShowMessageBox on Windows (MessageBoxW), and the hook that lets tests answer the boxes.
#include "ui/dialog/dialog.h"
#include "ui/dialog/message_box.h"

#include "platform/win32_text.h"

#include <utility>

namespace {

MessageBoxHandler& CurrentHandler() {
    static MessageBoxHandler handler;
    return handler;
}

int ShowRealBox(const MessageBoxCall& call) {
    const int answer =
        MessageBoxW(call.owner ? call.owner->Window() : nullptr, quillmar::WideFromUtf8(call.text).c_str(),
                    quillmar::WideFromUtf8(call.caption).c_str(), call.style | MB_SETFOREGROUND);
    if ((call.style & MB_TYPEMASK) != MB_YESNO) return IDOK;
    return answer == IDYES ? IDYES : IDNO;
}

}  // namespace

int ShowMessageBox(CDialog* owner, const std::string& text, const std::string& caption, unsigned style) {
    const MessageBoxCall call{owner, text, caption, style};
    if (const MessageBoxHandler& handler = CurrentHandler()) return handler(call);
    return ShowRealBox(call);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}
