// The card list: which removable cards there are, and which one "Set"
// writes to.

#include "ui/main_window.h"

#include "ui/resources.h"

void CQuillmarVS2010Dlg::SetUpCardList() {
    card_images = LoadIconResource(IDI_CARD);
    card_list->setShowGrid(true);
    card_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    card_list.SetImage(card_images);

    const int clientWidth = card_list->contentsRect().width();
    card_list.InsertColumn(0, QStringLiteral("Device"), 65);
    card_list.InsertColumn(1, QStringLiteral("Label"), 100);
    card_list.InsertColumn(2, QStringLiteral("Description"), 200);
    card_list.InsertColumn(3, QStringLiteral("Version"), clientWidth - 365);
    RefreshCardList();
}

// cards: rebuild card_roots from the removable drives and the --card
// folders (options.cardFolders), fill one row per root with card_list's
// InsertItem / SetItemText, then SelectItem(0), which makes row 0 the target.
void CQuillmarVS2010Dlg::RefreshCardList() {}

void CQuillmarVS2010Dlg::OnCardItemChanged() {
    // A row losing the selection leaves the target where it was.
    const int row = card_list.GetSelectedItem();
    if (row >= 0) target_root = card_list.GetItemText(row, 0);
}

// cards: the device watcher calls this on every arrival or removal.
bool CQuillmarVS2010Dlg::OnDeviceChange() {
    RefreshCardList();
    return true;
}
