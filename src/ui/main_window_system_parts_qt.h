#pragma once
// What the main window keeps on Linux (CQuillmarVS2010Dlg::SystemParts):
// the window menu, the status strip with its Eject offer, the card row
// menu and the eject under way, and the watches of devices and cfg.ini.
// Shared by main_window_qt.cpp and main_window_card_actions_qt.cpp.

#include "platform/device_change_watcher.h"
#include "platform/file_change_watcher.h"
#include "ui/main_window.h"

#include <QPointer>

#include <memory>
#include <string>

class QMenu;
class QPushButton;

namespace quillmar {

class CardContextMenu;
class CardEjector;
class StatusArea;
struct EjectOutcome;

struct CQuillmarVS2010Dlg::SystemParts {
    explicit SystemParts(CQuillmarVS2010Dlg& owner) : window(owner) {}

    // --- main_window_qt.cpp
    void SetUpWindowMenu();
    // Ctrl+Q and Alt+F4 close the window, F1 opens the About box.
    void SetUpKeys();
    // The status strip, and what clears it: any change of card or settings.
    void SetUpStatusArea();
    // The card list's look: grid, rows, cells, names for screen readers.
    void SetUpCardListLook();
    void SetUpWatchers();

    // --- main_window_card_actions_qt.cpp
    void SetUpCardActions();
    void OnCardMenuRequest(int row, const QPoint& globalPos);
    void OnEjectCard(const std::string& root);
    void OnEjectFinished(const std::string& root, const EjectOutcome& outcome);

    CQuillmarVS2010Dlg& window;
    QMenu* window_menu = nullptr;
    StatusArea* status_area = nullptr;
    CardContextMenu* card_menu = nullptr;
    QPushButton* eject_offer = nullptr;  // in the status strip after "Set"
    std::string offered_root;            // the card eject_offer is for
    QPointer<CardEjector> ejector;       // the eject under way, if any
    std::unique_ptr<DeviceChangeWatcher> device_watcher;
    std::unique_ptr<FileChangeWatcher> cfg_watcher;
};

}  // namespace quillmar
