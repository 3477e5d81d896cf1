// The main window's Linux side: the window menu, its keys, the window icon,
// the status strip, the card list's look and the watches of devices and cfg.ini.

#include "ui/main_window_system_parts_qt.h"

#include "platform/mounted_drive_source.h"
#include "platform/qt_text_bridge.h"
#include "ui/card_cells.h"
#include "ui/dialog/native_dialog_qt.h"
#include "ui/dialog/tab_control.h"
#include "ui/resource_ids.h"
#include "ui/resources_qt.h"
#include "ui/status_area.h"
#include "ui/templates/dialog_templates.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>
#include <QSlider>
#include <QTableWidget>

namespace quillmar {

void CQuillmarVS2010Dlg::SystemPartsDeleter::operator()(SystemParts* parts) const { delete parts; }

void CQuillmarVS2010Dlg::SetUpSystemParts() {
    system_.reset(new SystemParts(*this));
    Window()->setWindowIcon(LoadIconResource(IDR_MAINFRAME));
    system_->SetUpWindowMenu();
    system_->SetUpKeys();
    system_->SetUpStatusArea();
    system_->SetUpCardListLook();
    system_->SetUpCardActions();
    system_->SetUpWatchers();
}

void CQuillmarVS2010Dlg::OnContextMenu(int x, int y) {
    // Linux desktops give programs no window menu of their own: a right-click
    // outside the controls' own menus opens this one.
    if (const QAction* chosen = system_->window_menu->exec(QPoint(x, y))) OnSysCommand(chosen->data().toUInt());
}

void CQuillmarVS2010Dlg::FitCardColumns() {
    quillmar::FitCardColumns(*static_cast<QTableWidget*>(card_list_.Window()));
}

void CQuillmarVS2010Dlg::SystemParts::SetUpWindowMenu() {
    window_menu = new QMenu(window.Window());
    window_menu->setObjectName(QStringLiteral("windowMenu"));
    window_menu->addAction(QStringLiteral("&Close"))->setData(SC_CLOSE);
    window_menu->addSeparator();
    window_menu->addAction(QStringLiteral("&About Quillmar..."))->setData(IDM_ABOUTBOX);
}

void CQuillmarVS2010Dlg::SystemParts::SetUpKeys() {
    QWidget* w = window.Window();
    CQuillmarVS2010Dlg* owner = &window;
    const auto close = [owner] { owner->OnSysCommand(SC_CLOSE); };
    QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), w), &QShortcut::activated, w, close);
    QObject::connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), w), &QShortcut::activated, w, close);
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F1), w), &QShortcut::activated, w,
                     [owner] { owner->OnSysCommand(IDM_ABOUTBOX); });
}

void CQuillmarVS2010Dlg::SystemParts::SetUpStatusArea() {
    const NativeDialog* native = NativeDialog::Of(window);
    status_area = new StatusArea(native->Surface());
    const ControlTemplate& place = kMainWindowStatusArea;
    status_area->setGeometry(native->Units().ToPixels(place.x, place.y, place.width, place.height));
    window.status_ = status_area;
    // The strip itself, not the window: the lists outlive the window's own
    // part while it is destroyed, and may still report on their way out.
    StatusArea* area = status_area;
    const auto clear = [area] { area->Clear(); };
    // A push (a profile chosen) toggles radios too: every change counts.
    for (const CDialog* page : window.pages_) {
        for (const QAbstractButton* button : page->Window()->findChildren<QAbstractButton*>())
            QObject::connect(button, &QAbstractButton::toggled, area, clear);
        for (const QSlider* slider : page->Window()->findChildren<QSlider*>())
            QObject::connect(slider, &QSlider::valueChanged, area, clear);
    }
    // A profile chosen clears it in OnSelchangeProfileList, before its own news.
    QObject::connect(static_cast<QTableWidget*>(window.card_list_.Window()), &QTableWidget::itemSelectionChanged, area,
                     clear);
}

void CQuillmarVS2010Dlg::SystemParts::SetUpCardListLook() {
    // The profile list and the tabs share a font of their own.
    const QFont listFont = FontWithCellHeight(QStringLiteral("System"), 18);
    window.profile_list_.Window()->setFont(listFont);
    window.tab_ctrl_.Window()->setFont(listFont);

    auto* list = static_cast<QTableWidget*>(window.card_list_.Window());
    list->setShowGrid(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setItemDelegate(new CardCells(list));
    list->setAccessibleName(QStringLiteral("Memory cards"));
    NameCardsForScreenReaders(*list);
    window.FitCardColumns();
}

void CQuillmarVS2010Dlg::SystemParts::SetUpWatchers() {
    CQuillmarVS2010Dlg* owner = &window;
    // The command-line tool and other copies of the program share cfg.ini.
    cfg_watcher = std::make_unique<FileChangeWatcher>(FromUtf8(window.store_.CfgPath()),
                                                      [owner] { owner->RefreshProfileList(); });
    // Drives are watched where they are read from; a source of another kind
    // (a test's table) is not watched.
    const auto* mounted = dynamic_cast<const MountedDriveSource*>(window.drives_.get());
    if (!mounted) return;
    DeviceChangeWatcher::Options watch;
    watch.first_snapshot = RemovableVolumeSnapshot(mounted->LastVolumes());
    device_watcher = std::make_unique<DeviceChangeWatcher>(
        watch, [paths = mounted->Paths()] { return RemovableVolumeSnapshot(paths); });
    QObject::connect(device_watcher.get(), &DeviceChangeWatcher::DeviceChange, window.Window(),
                     [owner](quint32 event) { owner->OnDeviceChange(event); });
}

}  // namespace quillmar
