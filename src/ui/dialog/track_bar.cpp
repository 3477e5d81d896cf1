// The track-bar slider, its channel inset from the ends.
#include "ui/dialog/track_bar.h"

#include <QStyleOptionSlider>

namespace {

// Where a track bar's channel starts, in pixels from either end.
constexpr int kChannelInset = 8;

}  // namespace

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setRange(0, 100);  // a track bar's range until its owner sets one
    setTickPosition(QSlider::TicksBothSides);
    setTickInterval(1);
    setPageStep(1);
}

void TrackBar::initStyleOption(QStyleOptionSlider* option) const {
    QSlider::initStyleOption(option);
    const int inset = std::min(kChannelInset, width() / 4);
    option->rect.adjust(inset, 0, -inset, 0);
}
