// The window's keys, its tab order and its status strip.

#include "ui/main_window.h"

#include "platform/device_events.h"
#include "ui/card_cells.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QTabBar>
#include <QTime>

namespace quillmar {

void CQuillmarVS2010Dlg::SetUpKeys() {
    const auto end = [this] { OnSysCommand(SC_CLOSE); };
    QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, end);
    QObject::connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this), &QShortcut::activated, this, end);
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
                     [this] { OnSysCommand(IDM_ABOUTBOX); });
}

void CQuillmarVS2010Dlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (focused && focused->isVisible() && focused->isEnabled() && isAncestorOf(focused)) focused->click();
        event->accept();
        return;
    }
    default:
        CDialog::keyPressEvent(event);
    }
}

void CQuillmarVS2010Dlg::AppendTabStops(const ControlTemplate& control, QWidget* widget,
                                        std::vector<TabStop>& stops) const {
    if (control.id != IDC_SETTINGS_TABS || !pages_[current_page_]) {
        CDialog::AppendTabStops(control, widget, stops);
        return;
    }
    stops.push_back({tab_ctrl_->TabBar(), {}});
    for (TabStop& stop : pages_[current_page_]->TabStops()) stops.push_back(std::move(stop));
}

void CQuillmarVS2010Dlg::SetUpStatusArea() {
    status_area_ = new StatusArea(Surface());
    const ControlTemplate& place = kMainWindowStatusArea;
    status_area_->setGeometry(Units().ToPixels(place.x, place.y, place.width, place.height));
    // The strip itself, not the window: the lists outlive the window's own
    // part while it is destroyed, and may still report on their way out.
    StatusArea* area = status_area_;
    const auto clear = [area] { area->Clear(); };
    // A push (a profile chosen) toggles radios too: every change counts.
    for (const CDialog* page : pages_) {
        for (const QAbstractButton* button : page->findChildren<QAbstractButton*>())
            QObject::connect(button, &QAbstractButton::toggled, status_area_, clear);
        for (const QSlider* slider : page->findChildren<QSlider*>())
            QObject::connect(slider, &QSlider::valueChanged, status_area_, clear);
    }
    // A profile chosen clears it in OnSelchangeProfileList, before its own news.
    QObject::connect(card_list_.Widget(), &QTableWidget::itemSelectionChanged, status_area_, clear);
}

void CQuillmarVS2010Dlg::ReportWritten() {
    status_area_->ShowMessage(QStringLiteral("camera.conf written to %1 at %2")
                                  .arg(CardDisplayName(TargetRoot()), QTime::currentTime().toString(u"HH:mm")),
                              OfferAfterSet(TargetRoot()));
}

}  // namespace quillmar
