#pragma once
// A tab control in the Windows manner: a row of tabs over a framed pane.
// It does not manage pages; its owner creates them as children, places them
// inside the pane and shows one at a time.

#include <QTabBar>
#include <QWidget>

class TabControl : public QWidget {
public:
    explicit TabControl(QWidget* parent = nullptr);

    QTabBar* TabBar() const { return bar_; }
    // Tabs never grow taller than this, so pages placed below it do not
    // cover them whatever the font.
    void SetMaxTabHeight(int pixels);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LayOutBar();

    QTabBar* bar_;
};
