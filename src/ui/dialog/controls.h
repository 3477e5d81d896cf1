#pragma once
// Handles on dialog controls, attached to a dialog's control by DDX_Control.
// Changes made through a handle send no notification, as the Windows
// control messages they stand for do not (the list view is the exception:
// it reports every change of an item's state).

#include "ui/dialog/tab_control.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSlider>
#include <QTableWidget>

template <class WidgetType>
class CControlHandle {
public:
    void Attach(QWidget* widget) { widget_ = dynamic_cast<WidgetType*>(widget); }
    bool IsAttached() const { return !widget_.isNull(); }
    WidgetType* Widget() const { return widget_.data(); }
    WidgetType* operator->() const { return widget_.data(); }

protected:
    QPointer<WidgetType> widget_;
};

class CSliderCtrl : public CControlHandle<QSlider> {
public:
    void SetRange(int minimum, int maximum, bool redraw = false);
    // A tick mark every `frequency` positions.
    void SetTicFreq(int frequency);
    // A tick mark at one position. Qt sliders draw ticks at a regular
    // interval only, so a single tick shows when the interval covers it.
    void SetTic(int position);
    int GetPos() const;
    void SetPos(int position);
};

class CEdit : public CControlHandle<QLineEdit> {
public:
    void SetFocus();
    QString GetWindowText() const;
};

class CListBox : public CControlHandle<QListWidget> {
public:
    int GetCount() const;
    // Appends an item; returns its position.
    int AddString(const QString& text);
    void DeleteString(int index);
    // The selected position, or -1.
    int GetCurSel() const;
    // Selects a position; -1 or a position past the end clears the selection.
    void SetCurSel(int index);
    QString GetText(int index) const;
};

class CListCtrl : public CControlHandle<QTableWidget> {
public:
    void InsertColumn(int column, const QString& heading, int width);
    // Inserts a row showing the control's image and `text` in column 0;
    // returns its index, or -1 for a position past the end.
    int InsertItem(int row, const QString& text);
    // False for a row or column that does not exist.
    bool SetItemText(int row, int column, const QString& text);
    // False when there is no such row.
    bool DeleteItem(int row);
    QString GetItemText(int row, int column) const;
    int GetItemCount() const;
    void DeleteAllItems();
    // Selects and focuses a row (reported like any change of the row).
    void SelectItem(int row);
    // The selected row, or -1.
    int GetSelectedItem() const;
    // The image every row shows; kept by the control, as its image list is.
    void SetImage(const QIcon& image);
};

class CTabCtrl : public CControlHandle<TabControl> {
public:
    void InsertItem(int index, const QString& text);
    int GetCurSel() const;
    // Selects a tab without reporting a selection change.
    void SetCurSel(int index);
};
