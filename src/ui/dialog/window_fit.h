#pragma once
// How big a window may be on a screen with a given free area.

#include <QSize>

// `whole` when the window fits `room` as it is. Otherwise the size of a
// window that shows the same content scrolled: as big as the content plus
// the scroll bars it then needs (`bar` pixels each), never bigger than
// `room`.
QSize FittedWindowSize(QSize whole, QSize room, int bar);
