#pragma once
// The card list logic's view of the window's list control (1000).

#include "cards/card_list_view.h"
#include "ui/dialog/controls.h"

#include <QSignalBlocker>

class CardListControl : public CardListView {
public:
    // `list` must be attached before any call.
    explicit CardListControl(CListCtrl& list) : list_(list) {}

    int ItemCount() const override { return list_.GetItemCount(); }
    // Deleting reports nothing: a row on its way out never becomes the target.
    bool DeleteItem(int row) override {
        const QSignalBlocker quiet(list_.widget());
        return list_.DeleteItem(row);
    }
    int InsertItem(int row, const QString& text) override { return list_.InsertItem(row, text); }
    bool SetItemText(int row, int column, const QString& text) override {
        return list_.SetItemText(row, column, text);
    }
    // The control reports the change (ItemChanged) before this returns.
    void SelectAndFocusItem(int row) override { list_.SelectItem(row); }
    QString ItemText(int row, int column) const override { return list_.GetItemText(row, column); }

private:
    CListCtrl& list_;
};
