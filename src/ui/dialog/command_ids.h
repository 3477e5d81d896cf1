#pragma once
// The standard command ids, message-box styles and answers, and the window
// menu's Close command. <windows.h> has them as macros; elsewhere they are
// constants of the same names and values, so shared code reads the same.

#if defined(_WIN32)
#include <windows.h>
#else
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;  // the second button is the default

inline constexpr unsigned SC_CLOSE = 0xF060;
#endif
