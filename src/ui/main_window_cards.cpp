// The card list: which removable cards there are, and which one "Set"
// writes to.

#include "ui/main_window.h"

#include "platform/device_events.h"
#include "ui/card_cells.h"
#include "ui/resources.h"

namespace quillmar {

void CQuillmarVS2010Dlg::SetUpCardList() {
    card_images = LoadIconResource(IDI_CARD);
    card_list->setShowGrid(true);
    card_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    card_list.SetImage(card_images);
    card_list->setItemDelegate(new CardCells(card_list.widget()));
    card_list->setAccessibleName(QStringLiteral("Memory cards"));

    const int clientWidth = card_list->contentsRect().width();
    card_list.InsertColumn(0, QStringLiteral("Device"), 65);
    card_list.InsertColumn(1, QStringLiteral("Label"), 100);
    card_list.InsertColumn(2, QStringLiteral("Description"), 200);
    card_list.InsertColumn(3, QStringLiteral("Version"), clientWidth - 365);
    RefreshCardList();

    device_watcher = std::make_unique<DeviceChangeWatcher>(
        DeviceChangeWatcher::Options{}, [paths = system_paths] { return RemovableVolumeSnapshot(paths); });
    QObject::connect(device_watcher.get(), &DeviceChangeWatcher::deviceChange, this,
                     [this](quint32 event) { OnDeviceChange(event); });
}

void CQuillmarVS2010Dlg::RefreshCardList() {
    cards.RefreshCardList();
    FitCardColumns();
}

void CQuillmarVS2010Dlg::FitCardColumns() { quillmar::FitCardColumns(*card_list.widget()); }

void CQuillmarVS2010Dlg::OnCardItemChanged() {
    // A row losing the selection reports no row, which leaves the target
    // where it was.
    cards.OnCardItemChanged(card_list.GetSelectedItem());
}

bool CQuillmarVS2010Dlg::OnDeviceChange(quint32 event, quintptr data) {
    // News of an ejected card outlives the refresh its going brings.
    const bool keep = status_area && status_area->lasting() == StatusArea::Lasting::kOverCardListChanges;
    const QString kept = keep ? status_area->message() : QString();
    const bool answer = cards.OnDeviceChange(event, data);
    if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) {
        FitCardColumns();
        // The card named in the status may be the one that went.
        if (keep) status_area->ShowMessage(kept, {}, StatusArea::Lasting::kOverCardListChanges);
        else if (status_area) status_area->Clear();
    }
    return answer;
}

bool CQuillmarVS2010Dlg::TargetIsCardFolder() const {
    for (const QString& folder : options.cardFolders)
        if (FolderCardRoot(folder) == cards.target_root()) return true;
    return false;
}

}  // namespace quillmar
