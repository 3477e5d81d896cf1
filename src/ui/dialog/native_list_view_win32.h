#pragma once
// The list view's cell tooltips, kept with each row (its item data) so they
// move with the row; the dialog procedure asks for and frees them.

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

// LVN_GETINFOTIP: the tooltip of the cell under the pointer.
void FillListViewTip(NMLVGETINFOTIPW& request);
// LVN_DELETEITEM: the row's tooltips go with it.
void FreeListViewRow(const NMLISTVIEW& deleted);
