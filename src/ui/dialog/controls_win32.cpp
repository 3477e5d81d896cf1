// Control handles on Windows: the common controls' messages, texts converted from and to UTF-8.
#include "ui/dialog/controls.h"
#include "ui/dialog/native_dialog_win32.h"
#include "ui/dialog/native_list_view_win32.h"
#include "ui/resources_win32.h"

#include "platform/win32_text.h"

#include <commctrl.h>

#include <vector>

using quillmar::Utf8FromWide;
using quillmar::WideFromUtf8;

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(window, message, wParam, lParam);
}

// A row's tooltips, one a column, in the row's item data.
using RowTips = std::vector<std::wstring>;

RowTips* TipsOf(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!Send(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<RowTips*>(item.lParam);
}

int ColumnCount(HWND list) {
    return static_cast<int>(Send(reinterpret_cast<HWND>(Send(list, LVM_GETHEADER)), HDM_GETITEMCOUNT));
}

}  // namespace

void FillListViewTip(NMLVGETINFOTIPW& request) {
    // The request names the row only; the column is the one under the pointer.
    LVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(request.hdr.hwndFrom, &hit.pt);
    if (Send(request.hdr.hwndFrom, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) != request.iItem) return;
    const RowTips* tips = TipsOf(request.hdr.hwndFrom, request.iItem);
    if (!tips || hit.iSubItem >= static_cast<int>(tips->size()) || (*tips)[hit.iSubItem].empty()) return;
    lstrcpynW(request.pszText, (*tips)[hit.iSubItem].c_str(), request.cchTextMax);
}

void FreeListViewRow(const NMLISTVIEW& deleted) { delete reinterpret_cast<RowTips*>(deleted.lParam); }

void CSliderCtrl::SetRange(int minimum, int maximum, bool redraw) {
    // One message each: TBM_SETRANGE packs both into 16 bits, losing signs.
    Send(window_, TBM_SETRANGEMIN, FALSE, minimum);
    Send(window_, TBM_SETRANGEMAX, redraw, maximum);
}

void CSliderCtrl::SetTicFreq(int frequency) { Send(window_, TBM_SETTICFREQ, frequency); }

void CSliderCtrl::SetTic(int position) { Send(window_, TBM_SETTIC, 0, position); }

int CSliderCtrl::GetPos() const { return static_cast<int>(Send(window_, TBM_GETPOS)); }

void CSliderCtrl::SetPos(int position) {
    Send(window_, TBM_SETPOS, TRUE, position);
    // The track bar sends nothing for a position the program set; what it
    // shows has changed all the same.
    ReportControlNotification(window_, Notification::kRedraw);
}

void CEdit::SetFocus() {
    // Through the dialog manager, which keeps the default button right.
    Send(GetParent(window_), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window_), TRUE);
}

void CEdit::SelectAll() { Send(window_, EM_SETSEL, 0, -1); }

std::string CEdit::GetText() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

int CListBox::GetCount() const { return static_cast<int>(Send(window_, LB_GETCOUNT)); }

int CListBox::AddString(const std::string& text) {
    return static_cast<int>(Send(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str())));
}

void CListBox::DeleteString(int index) { Send(window_, LB_DELETESTRING, index); }

int CListBox::GetCurSel() const {
    const LRESULT index = Send(window_, LB_GETCURSEL);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void CListBox::SetCurSel(int index) {
    // -1 clears the selection; Windows would keep it for a position past the end.
    Send(window_, LB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < GetCount() ? index : -1));
}

std::string CListBox::GetText(int index) const {
    const LRESULT length = Send(window_, LB_GETTEXTLEN, index);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(Send(window_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return Utf8FromWide(text);
}

void CListCtrl::InsertColumn(int column, const std::string& heading, int width) {
    std::wstring text = WideFromUtf8(heading);
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.fmt = LVCFMT_LEFT;
    c.cx = width;
    c.pszText = text.data();
    Send(window_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
}

int CListCtrl::InsertItem(int row, const std::string& text) {
    if (row < 0 || row > GetItemCount()) return -1;
    std::wstring wide = WideFromUtf8(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = wide.data();
    item.iImage = 0;
    item.lParam = reinterpret_cast<LPARAM>(new RowTips);  // freed on LVN_DELETEITEM
    const auto at = static_cast<int>(Send(window_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0) delete reinterpret_cast<RowTips*>(item.lParam);
    return at;
}

bool CListCtrl::SetItemText(int row, int column, const std::string& text) {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= ColumnCount(window_)) return false;
    std::wstring wide = WideFromUtf8(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    return Send(window_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)) != 0;
}

void CListCtrl::SetItemTooltip(int row, int column, const std::string& text) {
    RowTips* tips = TipsOf(window_, row);
    if (!tips || column < 0) return;
    if (tips->size() <= static_cast<size_t>(column)) tips->resize(static_cast<size_t>(column) + 1);
    (*tips)[static_cast<size_t>(column)] = WideFromUtf8(text);
}

bool CListCtrl::DeleteItem(int row) { return Send(window_, LVM_DELETEITEM, row) != 0; }

std::string CListCtrl::GetItemText(int row, int column) const {
    // The list view says nothing of a text's length: grow until it fits.
    for (size_t size = 256;; size *= 4) {
        std::wstring text(size, L'\0');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(size);
        const auto length = static_cast<size_t>(Send(window_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size) return Utf8FromWide(text.substr(0, length));
    }
}

int CListCtrl::GetItemCount() const { return static_cast<int>(Send(window_, LVM_GETITEMCOUNT)); }

void CListCtrl::DeleteAllItems() { Send(window_, LVM_DELETEALLITEMS); }

void CListCtrl::SelectItem(int row) {
    // A single-selection list view unselects the row selected before.
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(window_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    Send(window_, LVM_ENSUREVISIBLE, row, FALSE);
}

int CListCtrl::GetSelectedItem() const {
    return static_cast<int>(Send(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CListCtrl::SetImage(int iconResourceId) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1);
    HICON icon = LoadIconImage(iconResourceId, size, size);
    ImageList_AddIcon(images, icon);
    DestroyIcon(icon);
    // The list view destroys the list it holds when it goes, not one it let go.
    if (auto old = reinterpret_cast<HIMAGELIST>(
            Send(window_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images))))
        ImageList_Destroy(old);
}

void CTabCtrl::InsertItem(int index, const std::string& text) {
    std::wstring wide = WideFromUtf8(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    Send(window_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

int CTabCtrl::GetCurSel() const { return static_cast<int>(Send(window_, TCM_GETCURSEL)); }

void CTabCtrl::SetCurSel(int index) { Send(window_, TCM_SETCURSEL, index); }
