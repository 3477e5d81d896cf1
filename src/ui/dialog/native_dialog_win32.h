#pragma once
// What the Windows side of the dialog layer offers the program's other
// Win32 files beyond dialog.h: a look at a dialog's window messages before
// the dialog layer handles them, and reports from control handles.

#include "ui/dialog/dialog.h"

#include <windows.h>

#include <functional>

// Sees every message of the dialog procedure after WM_INITDIALOG. Returning
// true ends the handling; `result` is then what the dialog procedure returns
// (for WM_NOTIFY the filter sets DWLP_MSGRESULT itself).
using DialogMessageFilter = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)>;

// One filter per dialog; an empty one removes it. May be set before the
// window exists.
void SetDialogMessageFilter(CDialog& dialog, DialogMessageFilter filter);

// Reports `code` for `control` to the dialog that holds it, as if the
// control had sent it (a track bar moved by the program redraws).
void ReportControlNotification(HWND control, Notification code);
