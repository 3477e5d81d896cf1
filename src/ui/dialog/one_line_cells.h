#pragma once
// A report view shows every cell on one line, as its text may carry line
// breaks (a card's version.txt often ends in CR LF); the text itself stays.

#include <QStyledItemDelegate>

class OneLineCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        // The base class has already turned each LF into a line separator.
        option->text.remove(u'\r').replace(QChar::LineSeparator, u' ').replace(u'\n', u' ');
    }
};
