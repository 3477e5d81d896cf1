#pragma once
// A horizontal slider drawn like a Windows track bar: its channel stops
// short of the control's ends, so that texts placed at the ends (as the
// templates do) stay clear of it.

#include <QSlider>

class TrackBar : public QSlider {
public:
    explicit TrackBar(QWidget* parent = nullptr);

protected:
    // Painting, hit testing and dragging all go through the option, so the
    // inset applies to all of them alike.
    void initStyleOption(QStyleOptionSlider* option) const override;
};
