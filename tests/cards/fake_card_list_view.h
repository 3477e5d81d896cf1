#pragma once
// A list control in memory that, like the window's, reports a selected row to
// the card list. A cell out of range throws, failing the test.
// Shared with the card benchmarks.

#include "cards/card_list.h"

#include <utility>

namespace quillmar {

struct FakeCardListView : CardListView {
    CardList* owner = nullptr;
    int selected = -1;
    std::vector<std::vector<std::string>> rows;

    int ItemCount() const override { return static_cast<int>(rows.size()); }
    bool DeleteItem(int row) override { return rows.erase(rows.begin() + row), true; }
    int InsertItem(int row, const std::string& text) override {
        return rows.insert(rows.begin() + row, {text, "", "", ""}), row;
    }
    bool SetItemText(int row, int column, const std::string& text) override {
        return rows.at(row).at(column) = text, true;
    }
    void SelectAndFocusItem(int row) override { selected = row, owner->OnCardItemChanged(row); }
    std::string ItemText(int row, int column) const override { return rows.at(row).at(column); }
    // A user's click: the row losing the selection is reported, then the
    // one gaining it; a click on empty space (-1) reports only the loser.
    void Click(int row) {
        const int old = std::exchange(selected, row);
        if (old >= 0) owner->OnCardItemChanged(old);
        if (row >= 0) owner->OnCardItemChanged(row);
    }
};

}  // namespace quillmar
