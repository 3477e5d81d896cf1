// The DDX_ functions on Windows: button states, track bar positions and window texts.
#include "ui/dialog/data_exchange.h"
#include "ui/dialog/dialog.h"
#include "ui/dialog/native_dialog_win32.h"

#include "platform/win32_text.h"

#include <commctrl.h>

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
    CDialog& dialog = dx.Dialog();
    const std::vector<int> radios = dialog.RadioGroupFrom(firstId);
    if (dx.SaveAndValidate()) value = -1;
    for (size_t k = 0; k < radios.size(); ++k) {
        HWND radio = dialog.GetDlgItem(radios[k]);
        if (dx.SaveAndValidate()) {
            if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) value = static_cast<int>(k);
        } else {
            SendMessageW(radio, BM_SETCHECK, static_cast<int>(k) == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
    HWND box = dx.Dialog().GetDlgItem(id);
    if (!box) return;
    if (dx.SaveAndValidate())
        value = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        SendMessageW(box, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDX_Slider(CDataExchange& dx, int id, int& value) {
    HWND slider = dx.Dialog().GetDlgItem(id);
    if (!slider) return;
    if (dx.SaveAndValidate()) {
        value = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
        return;
    }
    SendMessageW(slider, TBM_SETPOS, TRUE, value);
    // Reported once the exchange is over, as a redraw of the new position.
    ReportControlNotification(slider, Notification::kRedraw);
}
