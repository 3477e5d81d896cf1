// The card list: which removable cards there are, and which one "Set"
// writes to.

#include "ui/main_window.h"

#include "platform/device_events.h"
#include "ui/resources.h"

namespace quillmar {

void CQuillmarVS2010Dlg::SetUpCardList() {
    card_list_.SetImage(IDI_CARD);
    card_list_.InsertColumn(0, "Device", 65);
    card_list_.InsertColumn(1, "Label", 100);
    card_list_.InsertColumn(2, "Description", 200);
    // FitCardColumns gives the last column the rest of the width.
    card_list_.InsertColumn(3, "Version", 100);
    RefreshCardList();
}

void CQuillmarVS2010Dlg::RefreshCardList() {
    cards_.RefreshCardList();
    FitCardColumns();
}

void CQuillmarVS2010Dlg::OnCardItemChanged() {
    // A row losing the selection reports no row, which leaves the target
    // where it was.
    cards_.OnCardItemChanged(card_list_.GetSelectedItem());
}

bool CQuillmarVS2010Dlg::OnDeviceChange(std::uint32_t event, std::uintptr_t data) {
    // News of an ejected card outlives the refresh its going brings.
    const bool keep = status_ && status_->HowLong() == StatusLine::Lasting::kOverCardListChanges;
    const std::string kept = keep ? status_->Message() : std::string();
    const bool answer = cards_.OnDeviceChange(event, data);
    if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) {
        FitCardColumns();
        // The card named in the status may be the one that went.
        if (keep)
            status_->ShowMessage(kept, StatusLine::Lasting::kOverCardListChanges);
        else if (status_)
            status_->Clear();
    }
    return answer;
}

bool CQuillmarVS2010Dlg::IsCardFolder(const std::string& root) const {
    for (const std::string& folder : options_.card_folders)
        if (FolderCardRoot(folder) == root) return true;
    return false;
}

}  // namespace quillmar
