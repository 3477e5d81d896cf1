// The real message box on Qt: QMessageBox with the buttons and icon the style asks for.
#include "ui/dialog/message_box_system.h"

#include "platform/qt_text_bridge.h"
#include "ui/dialog/dialog.h"

#include <QMessageBox>

int ShowSystemMessageBox(const MessageBoxCall& call) {
    QMessageBox box(call.owner ? call.owner->Window() : nullptr);
    box.setWindowTitle(quillmar::FromUtf8(call.caption));
    box.setText(quillmar::FromUtf8(call.text));
    const unsigned icon = call.style & 0xF0;
    box.setIcon(icon == MB_ICONWARNING ? QMessageBox::Warning
                : icon == MB_ICONERROR ? QMessageBox::Critical
                                       : QMessageBox::NoIcon);
    if ((call.style & 0x0F) != MB_YESNO) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return IDOK;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton((call.style & MB_DEFBUTTON2) ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
}
