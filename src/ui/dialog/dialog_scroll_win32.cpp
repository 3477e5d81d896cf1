// Scroll bars for a dialog bigger than its screen: sized once, scrolling every control with the window.
#include "ui/dialog/dialog_scroll_win32.h"

#include <algorithm>

namespace {

constexpr int kLine = 20;  // pixels an arrow click or a wheel notch moves

void ScrollTo(HWND dialog, int bar, int position) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(dialog, bar, &info);
    const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
    position = std::clamp(position, 0, last);
    const int delta = info.nPos - position;
    if (delta == 0) return;
    SetScrollPos(dialog, bar, position, TRUE);
    ScrollWindowEx(dialog, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

}  // namespace

void FitDialogWithScrollBars(HWND dialog, const RECT& area) {
    RECT frame, content;
    GetWindowRect(dialog, &frame);
    GetClientRect(dialog, &content);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int roomX = area.right - area.left, roomY = area.bottom - area.top;
    if (width <= roomX && height <= roomY) return;
    // One bar takes room from the other direction, which may then need its own.
    const bool vertical = height > roomY || (width > roomX && height + GetSystemMetrics(SM_CYHSCROLL) > roomY);
    const bool horizontal = width + (vertical ? GetSystemMetrics(SM_CXVSCROLL) : 0) > roomX;
    LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    if (vertical) style |= WS_VSCROLL, width += GetSystemMetrics(SM_CXVSCROLL);
    if (horizontal) style |= WS_HSCROLL, height += GetSystemMetrics(SM_CYHSCROLL);
    SetWindowLongPtrW(dialog, GWL_STYLE, style);
    SetWindowPos(dialog, nullptr, area.left, area.top, std::min(width, roomX), std::min(height, roomY),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT view;
    GetClientRect(dialog, &view);
    SCROLLINFO info{
        sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, content.bottom - 1, static_cast<UINT>(view.bottom), 0, 0};
    if (vertical) SetScrollInfo(dialog, SB_VERT, &info, TRUE);
    info.nMax = content.right - 1;
    info.nPage = static_cast<UINT>(view.right);
    if (horizontal) SetScrollInfo(dialog, SB_HORZ, &info, TRUE);
}

void ScrollIntoView(HWND dialog, HWND control) {
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    if (!control || !(style & (WS_VSCROLL | WS_HSCROLL))) return;
    RECT view, box;
    GetClientRect(dialog, &view);
    GetWindowRect(control, &box);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&box), 2);
    // How far the view moves for [low, high) to lie in [0, end).
    const auto shift = [](LONG low, LONG high, LONG end) {
        return low < 0 ? low : high > end ? std::min(low, high - end) : 0L;
    };
    if (style & WS_VSCROLL)
        ScrollTo(dialog, SB_VERT, GetScrollPos(dialog, SB_VERT) + shift(box.top, box.bottom, view.bottom));
    if (style & WS_HSCROLL)
        ScrollTo(dialog, SB_HORZ, GetScrollPos(dialog, SB_HORZ) + shift(box.left, box.right, view.right));
}

bool ScrollDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) {
        if (!(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_VSCROLL)) return false;
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        ScrollTo(dialog, SB_VERT, GetScrollPos(dialog, SB_VERT) - notches * 3 * kLine);
        return true;
    }
    // A track bar's WM_HSCROLL names the track bar; the window's own bars name none.
    if ((message != WM_VSCROLL && message != WM_HSCROLL) || lParam) return false;
    const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(dialog, bar, &info);
    const int page = static_cast<int>(info.nPage);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        ScrollTo(dialog, bar, info.nPos - kLine);
        break;
    case SB_LINEDOWN:
        ScrollTo(dialog, bar, info.nPos + kLine);
        break;
    case SB_PAGEUP:
        ScrollTo(dialog, bar, info.nPos - page);
        break;
    case SB_PAGEDOWN:
        ScrollTo(dialog, bar, info.nPos + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollTo(dialog, bar, info.nTrackPos);
        break;
    case SB_TOP:
        ScrollTo(dialog, bar, 0);
        break;
    case SB_BOTTOM:
        ScrollTo(dialog, bar, info.nMax);
        break;
    default:
        break;
    }
    return true;
}
