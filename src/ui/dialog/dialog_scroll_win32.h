#pragma once
// A top-level dialog too big for its screen's work area: the window shrinks
// to the area and gets scroll bars of its own, which move all its controls.

#include <windows.h>

// Shrinks `dialog` (its window rectangle) into `area`, with a scroll bar
// for each direction that lacks the room. Nothing when it fits.
void FitDialogWithScrollBars(HWND dialog, const RECT& area);
// WM_VSCROLL and WM_HSCROLL from the dialog's own bars, and WM_MOUSEWHEEL:
// true when handled.
bool ScrollDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Scrolls `dialog` as little as needed to show `control` (one of its
// children or theirs) whole, or its top-left part if it is bigger.
void ScrollIntoView(HWND dialog, HWND control);
