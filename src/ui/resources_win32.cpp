// Icons and pictures from the executable's resources, scaled by Windows to the size asked for.
#include "ui/resources_win32.h"

HICON LoadIconImage(int id, int width, int height) {
    // Windows picks the icon image nearest to the size and scales it.
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

HBITMAP LoadBitmapImage(int id, int width, int height) {
    return static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, width, height, LR_CREATEDIBSECTION));
}
