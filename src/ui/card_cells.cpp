// How the card list draws its cells and sizes its columns.
#include "ui/card_cells.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace quillmar {

QString CardDisplayName(const QString& root) {
    QString path = root;
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\'))) path.chop(1);
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QString name = path.mid(cut + 1);
    return name.isEmpty() ? root : name;
}

void CardCells::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    OneLineCells::initStyleOption(option, index);
    if (index.column() == 0) option->text = CardDisplayName(option->text);
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

}  // namespace

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
