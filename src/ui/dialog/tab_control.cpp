// The tab control: a row of tabs over a framed pane its owner fills with pages.
#include "ui/dialog/tab_control.h"

#include <QEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace {

class CappedTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;
    int max_height = QWIDGETSIZE_MAX;

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        size.setHeight(std::min(size.height(), max_height));
        return size;
    }
};

}  // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new CappedTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setFocusPolicy(Qt::TabFocus);
}

void TabControl::SetMaxTabHeight(int pixels) {
    static_cast<CappedTabBar*>(bar_)->max_height = pixels;
    LayOutBar();
}

void TabControl::LayOutBar() {
    bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
    update();
}

void TabControl::resizeEvent(QResizeEvent*) { LayOutBar(); }

void TabControl::changeEvent(QEvent* event) {
    // The tabs take this control's font, which the owner may set later.
    if (event->type() == QEvent::FontChange) {
        bar_->setFont(font());
        LayOutBar();
    }
    QWidget::changeEvent(event);
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    frame.rect = rect().adjusted(0, bar_->geometry().bottom() + 1 - overlap, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->sizeHint();
    frame.tabBarRect = bar_->geometry();
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}
