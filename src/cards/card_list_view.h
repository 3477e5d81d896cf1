#pragma once
// The little the card list needs from a list control, so its logic runs
// against a real list view in the window and against a plain model in
// tests. Rows are numbered from 0; columns are 0 Device, 1 Label,
// 2 Description, 3 Version. Text is UTF-8.

#include <string>

namespace quillmar {

class CardListView {
public:
    virtual ~CardListView() = default;

    virtual int ItemCount() const = 0;
    // False when nothing was deleted.
    virtual bool DeleteItem(int row) = 0;
    // Inserts a row whose column 0 is `text` and other cells are empty;
    // returns its index, or -1 when it could not be inserted.
    virtual int InsertItem(int row, const std::string& text) = 0;
    virtual bool SetItemText(int row, int column, const std::string& text) = 0;
    // Selects and focuses `row`. Like the real control, the view reports
    // this as a change of that row to CardList::OnCardItemChanged, before
    // returning. Deleting rows reports nothing.
    virtual void SelectAndFocusItem(int row) = 0;
    // Empty for a row or column that does not exist.
    virtual std::string ItemText(int row, int column) const = 0;
};

}  // namespace quillmar
