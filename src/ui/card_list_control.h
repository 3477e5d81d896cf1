#pragma once
// The card list logic's view of the window's list control (IDC_CARD_LIST).

#include "cards/card_list_view.h"
#include "ui/dialog/controls.h"

namespace quillmar {

class CardListControl : public CardListView {
public:
    // `list` must be attached before any call.
    explicit CardListControl(CListCtrl& list) : list_(list) {}

    int ItemCount() const override { return list_.GetItemCount(); }
    // Deleting reports nothing: a row on its way out never becomes the target.
    bool DeleteItem(int row) override { return list_.DeleteItem(row); }
    // The Device cell shows the folder name; its tooltip has the whole root.
    int InsertItem(int row, const std::string& text) override {
        const int inserted = list_.InsertItem(row, text);
        if (inserted >= 0) list_.SetItemTooltip(inserted, 0, text);
        return inserted;
    }
    // The Version cell may be cut: its tooltip holds the whole text.
    bool SetItemText(int row, int column, const std::string& text) override {
        if (!list_.SetItemText(row, column, text)) return false;
        if (column == 3) list_.SetItemTooltip(row, column, text);
        return true;
    }
    // The control reports the change (ItemChanged) before this returns.
    void SelectAndFocusItem(int row) override { list_.SelectItem(row); }
    std::string ItemText(int row, int column) const override { return list_.GetItemText(row, column); }

private:
    CListCtrl& list_;
};

}  // namespace quillmar
