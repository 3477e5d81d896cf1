#pragma once
// How the card list shows its cells. A row keeps the card's whole root in
// its Device cell (that is what "Set" writes to); the cell shows only the
// card's own folder name (CardDisplayName), the whole path in its tooltip,
// and screen readers get both.

#include "ui/dialog/one_line_cells.h"

#include <QString>

class QTableWidget;

namespace quillmar {

class CardCells : public OneLineCells {
public:
    using OneLineCells::OneLineCells;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Screen readers get each row's card name, and its root as the description.
void NameCardsForScreenReaders(QTableWidget& list);

// Sizes the columns so that Device, Label and Description show whole; the
// last column (Version) gets the rest of the list's width, elided.
void FitCardColumns(QTableWidget& list);

}  // namespace quillmar
