// The card list: which removable cards there are, and which one "Set"
// writes to.

#include "ui/main_window.h"

#include "platform/device_events.h"
#include "ui/card_cells.h"
#include "ui/resources.h"

namespace quillmar {

void CQuillmarVS2010Dlg::SetUpCardList() {
    card_images_ = LoadIconResource(IDI_CARD);
    card_list_->setShowGrid(true);
    card_list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    card_list_.SetImage(card_images_);
    card_list_->setItemDelegate(new CardCells(card_list_.Widget()));
    card_list_->setAccessibleName(QStringLiteral("Memory cards"));

    const int clientWidth = card_list_->contentsRect().width();
    card_list_.InsertColumn(0, QStringLiteral("Device"), 65);
    card_list_.InsertColumn(1, QStringLiteral("Label"), 100);
    card_list_.InsertColumn(2, QStringLiteral("Description"), 200);
    card_list_.InsertColumn(3, QStringLiteral("Version"), clientWidth - 365);
    RefreshCardList();

    DeviceChangeWatcher::Options watch;
    watch.first_snapshot = RemovableVolumeSnapshot(drives_.LastVolumes());
    device_watcher_ = std::make_unique<DeviceChangeWatcher>(
        watch, [paths = system_paths_] { return RemovableVolumeSnapshot(paths); });
    QObject::connect(device_watcher_.get(), &DeviceChangeWatcher::DeviceChange, this,
                     [this](quint32 event) { OnDeviceChange(event); });
}

void CQuillmarVS2010Dlg::RefreshCardList() {
    cards_.RefreshCardList();
    FitCardColumns();
}

void CQuillmarVS2010Dlg::FitCardColumns() { quillmar::FitCardColumns(*card_list_.Widget()); }

void CQuillmarVS2010Dlg::OnCardItemChanged() {
    // A row losing the selection reports no row, which leaves the target
    // where it was.
    cards_.OnCardItemChanged(card_list_.GetSelectedItem());
}

bool CQuillmarVS2010Dlg::OnDeviceChange(quint32 event, quintptr data) {
    // News of an ejected card outlives the refresh its going brings.
    const bool keep = status_area_ && status_area_->HowLong() == StatusArea::Lasting::kOverCardListChanges;
    const QString kept = keep ? status_area_->Message() : QString();
    const bool answer = cards_.OnDeviceChange(event, data);
    if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) {
        FitCardColumns();
        // The card named in the status may be the one that went.
        if (keep)
            status_area_->ShowMessage(kept, {}, StatusArea::Lasting::kOverCardListChanges);
        else if (status_area_)
            status_area_->Clear();
    }
    return answer;
}

bool CQuillmarVS2010Dlg::TargetIsCardFolder() const {
    for (const QString& folder : options_.card_folders)
        if (FolderCardRoot(folder) == TargetRoot()) return true;
    return false;
}

}  // namespace quillmar
