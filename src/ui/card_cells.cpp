// How the card list draws its cells and sizes its columns.
#include "ui/card_cells.h"

#include "platform/qt_text_bridge.h"
#include "ui/card_display_name.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace quillmar {

void CardCells::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    OneLineCells::initStyleOption(option, index);
    if (index.column() == 0) option->text = FromUtf8(CardDisplayName(ToUtf8(option->text)));
}

namespace {

// The width a cell needs to show whole, as the delegate draws it.
int CellWidth(QTableWidget& list, const QModelIndex& index) {
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.font = list.font();
    option.fontMetrics = list.fontMetrics();
    const int icon = list.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &list);
    option.decorationSize = list.iconSize().isValid() ? list.iconSize() : QSize(icon, icon);
    option.showDecorationSelected = true;
    return list.itemDelegateForIndex(index)->sizeHint(option, index).width();
}

// The card's name as the row's accessible text, its root as the
// description. Setting the roles reports a change too: the second time
// round they are there already.
void NameCard(QTableWidgetItem* item) {
    if (!item || item->data(Qt::AccessibleDescriptionRole).toString() == item->text()) return;
    item->setData(Qt::AccessibleDescriptionRole, item->text());
    item->setData(Qt::AccessibleTextRole, FromUtf8(CardDisplayName(ToUtf8(item->text()))));
}

}  // namespace

void NameCardsForScreenReaders(QTableWidget& list) {
    for (int row = 0; row < list.rowCount(); ++row) NameCard(list.item(row, 0));
    QObject::connect(list.model(), &QAbstractItemModel::dataChanged, &list,
                     [&list](const QModelIndex& from, const QModelIndex& to) {
                         if (from.column() > 0) return;
                         for (int row = from.row(); row <= to.row(); ++row) NameCard(list.item(row, 0));
                     });
}

void FitCardColumns(QTableWidget& list) {
    const int columns = list.columnCount();
    if (columns == 0) return;
    // A little air, so that a cell never looks cut at its last letter.
    const int air = list.fontMetrics().averageCharWidth();
    int used = 0;
    for (int column = 0; column + 1 < columns; ++column) {
        int width = list.horizontalHeader()->sectionSizeHint(column);
        for (int row = 0; row < list.rowCount(); ++row)
            width = std::max(width, CellWidth(list, list.model()->index(row, column)) + air);
        list.setColumnWidth(column, width);
        used += width;
    }
    // The rows may need the vertical scroll bar, which takes from the width.
    int inner = list.contentsRect().width();
    const int rowsHeight = list.rowCount() * list.verticalHeader()->defaultSectionSize();
    if (rowsHeight > list.contentsRect().height() - list.horizontalHeader()->sizeHint().height())
        inner -= list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    const int last = columns - 1;
    list.setColumnWidth(last, std::max(inner - used, list.horizontalHeader()->sectionSizeHint(last)));
}

}  // namespace quillmar
