#pragma once
// An in-memory list control that behaves like the window's: selecting a row
// reports it to the card list.

#include "cards/card_list.h"
#include "cards/card_list_view.h"

#include <string>
#include <utility>
#include <vector>

namespace quillmar {

class FakeCardListView : public CardListView {
public:
    using Row = std::vector<std::string>;
    CardList* owner = nullptr;  // receives item changes
    int selected = -1;
    std::vector<Row> rows;

    int ItemCount() const override { return static_cast<int>(rows.size()); }
    bool DeleteItem(int row) override {
        if (row < 0 || row >= ItemCount()) return false;
        rows.erase(rows.begin() + row);
        selected = selected == row ? -1 : selected - (selected > row);
        return true;
    }
    int InsertItem(int row, const std::string& text) override {
        return row < 0 || row > ItemCount() ? -1 : (rows.insert(rows.begin() + row, Row{text, "", "", ""}), row);
    }
    bool SetItemText(int row, int column, const std::string& text) override {
        return row >= 0 && row < ItemCount() && column >= 0 && column <= 3 && (rows[row][column] = text, true);
    }
    void SelectAndFocusItem(int row) override {
        selected = row;
        if (owner) owner->OnCardItemChanged(row);
    }
    std::string ItemText(int row, int column) const override {
        return row >= 0 && row < ItemCount() && column >= 0 && column <= 3 ? rows[row][column] : std::string();
    }
    // A user's click: the row losing the selection is reported, then the
    // one gaining it; a click on empty space (-1) reports only the loser.
    void Click(int row) {
        const int old = std::exchange(selected, row);
        if (old >= 0) owner->OnCardItemChanged(old);
        if (row >= 0) owner->OnCardItemChanged(row);
    }
};

}  // namespace quillmar
