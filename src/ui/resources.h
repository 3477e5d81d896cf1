#pragma once
// The program's icons and pictures, by resource number.

#include <QIcon>
#include <QPixmap>

inline constexpr int IDR_MAINFRAME = 127;  // application icon
inline constexpr int IDI_ABOUT = 128;      // About box icon
inline constexpr int IDI_CARD = 140;       // card list rows
inline constexpr int IDB_LOGO = 145;       // logo of the main window

// Every size the icon comes in; a null icon for an unknown number.
QIcon LoadIconResource(int id);
// A null pixmap for an unknown number.
QPixmap LoadBitmapResource(int id);
