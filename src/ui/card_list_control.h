#pragma once
// The card list logic's view of the window's list control (IDC_CARD_LIST).

#include "cards/card_list.h"
#include "cards/card_list_view.h"
#include "ui/card_cells.h"
#include "ui/dialog/controls.h"

#include <QSignalBlocker>
#include <QStringList>

namespace quillmar {

class CardListControl : public CardListView {
public:
    // `list` must be attached before any call.
    explicit CardListControl(CListCtrl& list) : list_(list) {}

    int ItemCount() const override { return list_.GetItemCount(); }
    // Deleting reports nothing: a row on its way out never becomes the target.
    bool DeleteItem(int row) override {
        const QSignalBlocker quiet(list_.Widget());
        return list_.DeleteItem(row);
    }
    // The Device cell shows the folder name; tooltip and screen readers
    // get the whole root too.
    int InsertItem(int row, const std::string& utf8) override {
        const QString text = QString::fromStdString(utf8);
        const int inserted = list_.InsertItem(row, text);
        if (QTableWidgetItem* item = inserted < 0 ? nullptr : list_->item(inserted, 0)) {
            item->setToolTip(text);
            item->setData(Qt::AccessibleTextRole, CardDisplayName(text));
            item->setData(Qt::AccessibleDescriptionRole, text);
        }
        return inserted;
    }
    // The Version cell may be elided: its tooltip holds the whole text.
    bool SetItemText(int row, int column, const std::string& utf8) override {
        const QString text = QString::fromStdString(utf8);
        if (!list_.SetItemText(row, column, text)) return false;
        if (column == 3) list_->item(row, column)->setToolTip(text);
        return true;
    }
    // The control reports the change (ItemChanged) before this returns.
    void SelectAndFocusItem(int row) override { list_.SelectItem(row); }
    std::string ItemText(int row, int column) const override { return list_.GetItemText(row, column).toStdString(); }

private:
    CListCtrl& list_;
};

// The card list speaks UTF-8; the window keeps QString.
inline QString FolderCardRoot(const QString& folder) {
    return QString::fromStdString(FolderCardRoot(folder.toStdString()));
}
inline std::vector<std::string> Utf8Strings(const QStringList& texts) {
    std::vector<std::string> utf8;
    for (const QString& text : texts) utf8.push_back(text.toStdString());
    return utf8;
}

}  // namespace quillmar
