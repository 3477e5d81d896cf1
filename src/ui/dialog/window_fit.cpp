// Fitting a window to the screen's free area, scrolled when it is too big.
#include "ui/dialog/window_fit.h"

#include <algorithm>

QSize FittedWindowSize(QSize whole, QSize room, int bar) {
    if (whole.width() <= room.width() && whole.height() <= room.height()) return whole;
    // One scroll bar takes room the other direction may then lack.
    bool vertical = whole.height() > room.height();
    const bool horizontal = whole.width() + (vertical ? bar : 0) > room.width();
    vertical = vertical || whole.height() + (horizontal ? bar : 0) > room.height();
    return {std::min(room.width(), whole.width() + (vertical ? bar : 0)),
            std::min(room.height(), whole.height() + (horizontal ? bar : 0))};
}
