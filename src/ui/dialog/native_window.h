#pragma once
// The system's handle of a window or control: a widget under Qt, an HWND on
// Windows. Shared code only passes it on; each side of the dialog layer and
// the system's own files (tests included) look inside.

#if defined(_WIN32)
struct HWND__;
using NativeWindow = HWND__*;
#else
class QWidget;
using NativeWindow = QWidget*;
#endif
