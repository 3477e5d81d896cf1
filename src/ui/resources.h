#pragma once
// The program's icons and pictures, by resource number. Each system loads
// them its own way (resources_qt.h, the .rc file on Windows).

inline constexpr int IDR_MAINFRAME = 127;  // application icon
inline constexpr int IDI_ABOUT = 128;      // About box icon
inline constexpr int IDI_CARD = 140;       // card list rows
inline constexpr int IDB_LOGO = 145;       // logo of the main window
