// The real message box on Windows: MessageBoxW.
#include "ui/dialog/dialog.h"
#include "ui/dialog/message_box_system.h"

#include "platform/win32_text.h"

int ShowSystemMessageBox(const MessageBoxCall& call) {
    const int answer =
        MessageBoxW(call.owner ? call.owner->Window() : nullptr, quillmar::WideFromUtf8(call.text).c_str(),
                    quillmar::WideFromUtf8(call.caption).c_str(), call.style | MB_SETFOREGROUND);
    if ((call.style & MB_TYPEMASK) != MB_YESNO) return IDOK;
    return answer == IDYES ? IDYES : IDNO;
}
