#pragma once
// The program's icons and pictures as Qt loads them.

#include "ui/resources.h"

#include <QIcon>
#include <QPixmap>

// Every size the icon comes in; a null icon for an unknown number.
QIcon LoadIconResource(int id);
// A null pixmap for an unknown number.
QPixmap LoadBitmapResource(int id);
