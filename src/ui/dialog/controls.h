#pragma once
// Handles on dialog controls, attached to a dialog's control by DDX_Control.
// Changes made through a handle send no notification, as the Windows
// control messages they stand for do not (the list view is the exception:
// it reports every change of an item's state). Texts are UTF-8. Each
// system implements them (controls_qt.cpp, controls_win32.cpp).

#include "ui/dialog/native_window.h"

#include <string>

class CControlHandle {
public:
    void Attach(NativeWindow window) { window_ = window; }
    bool IsAttached() const { return window_ != nullptr; }
    NativeWindow Window() const { return window_; }

protected:
    NativeWindow window_ = nullptr;
};

class CSliderCtrl : public CControlHandle {
public:
    void SetRange(int minimum, int maximum, bool redraw = false);
    // A tick mark every `frequency` positions.
    void SetTicFreq(int frequency);
    // A tick mark at one position.
    void SetTic(int position);
    int GetPos() const;
    void SetPos(int position);
};

class CEdit : public CControlHandle {
public:
    void SetFocus();
    // Selects the whole text, ready to be typed over.
    void SelectAll();
    std::string GetText() const;
};

class CListBox : public CControlHandle {
public:
    int GetCount() const;
    // Appends an item; returns its position.
    int AddString(const std::string& text);
    void DeleteString(int index);
    // The selected position, or -1.
    int GetCurSel() const;
    // Selects a position; -1 or a position past the end clears the selection.
    void SetCurSel(int index);
    std::string GetText(int index) const;
};

class CListCtrl : public CControlHandle {
public:
    void InsertColumn(int column, const std::string& heading, int width);
    // Inserts a row showing the control's image and `text` in column 0;
    // returns its index, or -1 for a position past the end.
    int InsertItem(int row, const std::string& text);
    // False for a row or column that does not exist.
    bool SetItemText(int row, int column, const std::string& text);
    // Shown when the pointer rests on the cell (the whole text of a cut one).
    void SetItemTooltip(int row, int column, const std::string& text);
    // False when there is no such row. Deleting reports nothing.
    bool DeleteItem(int row);
    std::string GetItemText(int row, int column) const;
    int GetItemCount() const;
    void DeleteAllItems();
    // Selects and focuses a row (reported like any change of the row).
    void SelectItem(int row);
    // The selected row, or -1.
    int GetSelectedItem() const;
    // The icon resource every row shows; kept by the control, as its image list is.
    void SetImage(int iconResourceId);
};

class CTabCtrl : public CControlHandle {
public:
    void InsertItem(int index, const std::string& text);
    int GetCurSel() const;
    // Selects a tab without reporting a selection change.
    void SetCurSel(int index);
};
