// Control handles (list box, list view, track bar, ...) on Qt: each casts its window to the widget that plays the
// control.
#include "ui/dialog/controls.h"

#include "platform/qt_text_bridge.h"
#include "ui/dialog/tab_control.h"
#include "ui/resources_qt.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>

using quillmar::FromUtf8;
using quillmar::ToUtf8;

namespace {

QSlider* Slider(NativeWindow window) { return static_cast<QSlider*>(window); }
QLineEdit* Edit(NativeWindow window) { return static_cast<QLineEdit*>(window); }
QListWidget* List(NativeWindow window) { return static_cast<QListWidget*>(window); }
QTableWidget* Table(NativeWindow window) { return static_cast<QTableWidget*>(window); }
QTabBar* Tabs(NativeWindow window) { return static_cast<TabControl*>(window)->TabBar(); }

constexpr char kRowImage[] = "quillmarRowImage";

}  // namespace

void CSliderCtrl::SetRange(int minimum, int maximum, bool redraw) {
    const QSignalBlocker quiet(window_);
    Slider(window_)->setRange(minimum, maximum);
    if (redraw) window_->update();
}

void CSliderCtrl::SetTicFreq(int frequency) { Slider(window_)->setTickInterval(frequency); }

void CSliderCtrl::SetTic(int position) {
    // Qt sliders draw ticks at a regular interval only, so a single tick
    // shows when the interval covers it.
    const int interval = Slider(window_)->tickInterval();
    if (interval > 0 && position % interval == 0) return;
    // No regular interval shows this tick: fall back to one tick per step.
    Slider(window_)->setTickInterval(1);
}

int CSliderCtrl::GetPos() const { return Slider(window_)->value(); }

void CSliderCtrl::SetPos(int position) {
    const QSignalBlocker quiet(window_);
    Slider(window_)->setValue(position);
}

void CEdit::SetFocus() { window_->setFocus(Qt::OtherFocusReason); }

void CEdit::SelectAll() { Edit(window_)->selectAll(); }

std::string CEdit::GetText() const { return ToUtf8(Edit(window_)->text()); }

int CListBox::GetCount() const { return List(window_)->count(); }

int CListBox::AddString(const std::string& text) {
    const QSignalBlocker quiet(window_);
    List(window_)->addItem(FromUtf8(text));
    return List(window_)->count() - 1;
}

void CListBox::DeleteString(int index) {
    const QSignalBlocker quiet(window_);
    delete List(window_)->takeItem(index);
}

int CListBox::GetCurSel() const {
    const QList<QListWidgetItem*> selected = List(window_)->selectedItems();
    return selected.isEmpty() ? -1 : List(window_)->row(selected.first());
}

void CListBox::SetCurSel(int index) {
    QListWidget* list = List(window_);
    const QSignalBlocker quiet(list);
    if (index < 0 || index >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

std::string CListBox::GetText(int index) const {
    const QListWidgetItem* item = List(window_)->item(index);
    return item ? ToUtf8(item->text()) : std::string();
}

void CListCtrl::InsertColumn(int column, const std::string& heading, int width) {
    QTableWidget* table = Table(window_);
    table->insertColumn(column);
    auto* header = new QTableWidgetItem(FromUtf8(heading));
    header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->setHorizontalHeaderItem(column, header);
    table->setColumnWidth(column, width);
}

void CListCtrl::SetImage(int iconResourceId) { window_->setProperty(kRowImage, LoadIconResource(iconResourceId)); }

int CListCtrl::InsertItem(int row, const std::string& text) {
    QTableWidget* table = Table(window_);
    if (row < 0 || row > table->rowCount()) return -1;
    table->insertRow(row);
    auto* item = new QTableWidgetItem(table->property(kRowImage).value<QIcon>(), FromUtf8(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    table->setItem(row, 0, item);
    for (int column = 1; column < table->columnCount(); ++column) SetItemText(row, column, {});
    return row;
}

bool CListCtrl::SetItemText(int row, int column, const std::string& text) {
    QTableWidget* table = Table(window_);
    if (row < 0 || row >= table->rowCount() || column < 0 || column >= table->columnCount()) return false;
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table->setItem(row, column, item);
    }
    item->setText(FromUtf8(text));
    return true;
}

void CListCtrl::SetItemTooltip(int row, int column, const std::string& text) {
    if (QTableWidgetItem* item = Table(window_)->item(row, column)) item->setToolTip(FromUtf8(text));
}

bool CListCtrl::DeleteItem(int row) {
    QTableWidget* table = Table(window_);
    if (row < 0 || row >= table->rowCount()) return false;
    const QSignalBlocker quiet(table);
    table->removeRow(row);
    return true;
}

std::string CListCtrl::GetItemText(int row, int column) const {
    const QTableWidgetItem* item = Table(window_)->item(row, column);
    return item ? ToUtf8(item->text()) : std::string();
}

int CListCtrl::GetItemCount() const { return Table(window_)->rowCount(); }

void CListCtrl::DeleteAllItems() { Table(window_)->setRowCount(0); }

void CListCtrl::SelectItem(int row) {
    Table(window_)->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int CListCtrl::GetSelectedItem() const {
    const QModelIndexList rows = Table(window_)->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CTabCtrl::InsertItem(int index, const std::string& text) {
    const QSignalBlocker quiet(Tabs(window_));
    Tabs(window_)->insertTab(index, FromUtf8(text));
}

int CTabCtrl::GetCurSel() const { return Tabs(window_)->currentIndex(); }

void CTabCtrl::SetCurSel(int index) {
    const QSignalBlocker quiet(Tabs(window_));
    Tabs(window_)->setCurrentIndex(index);
}
