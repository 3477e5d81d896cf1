// The status line as a static text with a tooltip, the text cut in the middle when it does not fit.
#include "ui/status_text_win32.h"

#include "platform/win32_text.h"

#include <windows.h>

namespace quillmar {

namespace {

int TextWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

// `text` if it fits `width`, else its two ends around an ellipsis.
std::wstring CutInTheMiddle(HWND control, const std::wstring& text, int width) {
    std::wstring cut = text;
    for (size_t keep = text.size(); keep > 0 && TextWidth(control, cut) > width; --keep)
        cut = text.substr(0, keep / 2) + L"\u2026" + text.substr(text.size() - (keep - keep / 2));
    return cut;
}

}  // namespace

StatusText::StatusText(CDialog& window, const ControlTemplate& place, int id) : window_(window), id_(id) {
    HWND dialog = window.Window();
    RECT box{place.x, place.y, place.x + place.width, place.y + place.height};
    MapDialogRect(dialog, &box);
    // SS_NOTIFY: a static text is otherwise transparent to the mouse, and its tooltip would never show.
    HWND text = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, box.left,
                                box.top, box.right - box.left, box.bottom - box.top, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(text, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

void StatusText::Show(const std::string& shown, const std::string& tooltip, Lasting lasting) {
    window_.SetControlText(id_, shown);
    window_.SetControlTooltip(id_, tooltip);
    window_.ShowControl(id_, !shown.empty());
    lasting_ = lasting;
}

void StatusText::ShowMessage(const std::string& text, Lasting lasting) { Show(text, text, lasting); }

void StatusText::ShowMessage(const std::string& text, const std::string& shorter, const std::string& details) {
    HWND control = window_.GetDlgItem(id_);
    RECT box;
    GetClientRect(control, &box);
    const std::wstring whole = WideFromUtf8(text);
    const std::string shown = TextWidth(control, whole) <= box.right
                                  ? text
                                  : Utf8FromWide(CutInTheMiddle(control, WideFromUtf8(shorter), box.right));
    Show(shown, details.empty() ? text : text + "\n\n" + details, Lasting::kUntilAnyChange);
}

void StatusText::Clear() { Show({}, {}, Lasting::kUntilAnyChange); }

}  // namespace quillmar
