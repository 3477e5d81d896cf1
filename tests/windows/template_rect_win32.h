#pragma once
// Where Windows puts a template's control in a dialog built from it, in the
// dialog's client coordinates as {left, top, width, height}.
#include "ui/dialog/dialog_template.h"

#include <array>
#include <windows.h>

inline std::array<LONG, 4> TemplateRect(HWND dialog, const ControlTemplate& c) {
    // Position and size map separately, as the dialog manager maps them.
    RECT r{c.x, c.y, c.width, c.height};
    MapDialogRect(dialog, &r);
    // Windows draws an etched line as a static edge: two borders high, and its width inside the edge.
    if (c.kind == ControlKind::kSeparator)
        return {r.left, r.top, r.right + 2 * GetSystemMetrics(SM_CXBORDER), 2 * GetSystemMetrics(SM_CYBORDER)};
    return {r.left, r.top, r.right, r.bottom};
}

// Where the control is, in the same terms.
inline std::array<LONG, 4> PlacedRect(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
