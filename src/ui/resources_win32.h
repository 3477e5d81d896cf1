#pragma once
// The program's icons and pictures from its .rc (quillmar.rc), by resource
// number (resources.h), drawn at the size asked for.

#include <windows.h>

// Null for an unknown number. The caller destroys what it gets.
HICON LoadIconImage(int id, int width, int height);
HBITMAP LoadBitmapImage(int id, int width, int height);
