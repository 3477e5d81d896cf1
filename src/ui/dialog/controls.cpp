// Control handles (list box, list view, track bar, ...) bound to a dialog's controls by DDX_Control.
#include "ui/dialog/controls.h"

#include <QHeaderView>
#include <QSignalBlocker>

void CSliderCtrl::SetRange(int minimum, int maximum, bool redraw) {
    const QSignalBlocker quiet(widget_);
    widget_->setRange(minimum, maximum);
    if (redraw) widget_->update();
}

void CSliderCtrl::SetTicFreq(int frequency) { widget_->setTickInterval(frequency); }

void CSliderCtrl::SetTic(int position) {
    const int interval = widget_->tickInterval();
    if (interval > 0 && position % interval == 0) return;
    // No regular interval shows this tick: fall back to one tick per step.
    widget_->setTickInterval(1);
}

int CSliderCtrl::GetPos() const { return widget_->value(); }

void CSliderCtrl::SetPos(int position) { widget_->setValue(position); }

void CEdit::SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }

QString CEdit::GetWindowText() const { return widget_->text(); }

int CListBox::GetCount() const { return widget_->count(); }

int CListBox::AddString(const QString& text) {
    widget_->addItem(text);
    return widget_->count() - 1;
}

void CListBox::DeleteString(int index) {
    const QSignalBlocker quiet(widget_);
    delete widget_->takeItem(index);
}

int CListBox::GetCurSel() const {
    const QList<QListWidgetItem*> selected = widget_->selectedItems();
    return selected.isEmpty() ? -1 : widget_->row(selected.first());
}

void CListBox::SetCurSel(int index) {
    const QSignalBlocker quiet(widget_);
    if (index < 0 || index >= widget_->count()) {
        widget_->clearSelection();
        widget_->setCurrentRow(-1);
        return;
    }
    widget_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

QString CListBox::GetText(int index) const {
    const QListWidgetItem* item = widget_->item(index);
    return item ? item->text() : QString();
}

void CListCtrl::InsertColumn(int column, const QString& heading, int width) {
    widget_->insertColumn(column);
    auto* header = new QTableWidgetItem(heading);
    header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    widget_->setHorizontalHeaderItem(column, header);
    widget_->setColumnWidth(column, width);
}

namespace {
constexpr char kRowImage[] = "quillmarRowImage";
}  // namespace

void CListCtrl::SetImage(const QIcon& image) { widget_->setProperty(kRowImage, image); }

int CListCtrl::InsertItem(int row, const QString& text) {
    if (row < 0 || row > widget_->rowCount()) return -1;
    widget_->insertRow(row);
    auto* item = new QTableWidgetItem(widget_->property(kRowImage).value<QIcon>(), text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    widget_->setItem(row, 0, item);
    for (int column = 1; column < widget_->columnCount(); ++column) SetItemText(row, column, QString());
    return row;
}

bool CListCtrl::SetItemText(int row, int column, const QString& text) {
    if (row < 0 || row >= widget_->rowCount() || column < 0 || column >= widget_->columnCount()) return false;
    QTableWidgetItem* item = widget_->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        widget_->setItem(row, column, item);
    }
    item->setText(text);
    return true;
}

bool CListCtrl::DeleteItem(int row) {
    if (row < 0 || row >= widget_->rowCount()) return false;
    widget_->removeRow(row);
    return true;
}

QString CListCtrl::GetItemText(int row, int column) const {
    const QTableWidgetItem* item = widget_->item(row, column);
    return item ? item->text() : QString();
}

int CListCtrl::GetItemCount() const { return widget_->rowCount(); }

void CListCtrl::DeleteAllItems() { widget_->setRowCount(0); }

void CListCtrl::SelectItem(int row) {
    widget_->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int CListCtrl::GetSelectedItem() const {
    const QModelIndexList rows = widget_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CTabCtrl::InsertItem(int index, const QString& text) {
    const QSignalBlocker quiet(widget_->TabBar());
    widget_->TabBar()->insertTab(index, text);
}

int CTabCtrl::GetCurSel() const { return widget_->TabBar()->currentIndex(); }

void CTabCtrl::SetCurSel(int index) {
    const QSignalBlocker quiet(widget_->TabBar());
    widget_->TabBar()->setCurrentIndex(index);
}
