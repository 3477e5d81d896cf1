// CDialog on Windows: the window built by the dialog manager from an in-memory DLGTEMPLATEEX, one dialog
// procedure dispatching to the object, the controls' notifications turned into the message map's.
#include "ui/dialog/dialog_scroll_win32.h"
#include "ui/dialog/dialog_template_win32.h"
#include "ui/dialog/native_dialog_win32.h"
#include "ui/dialog/native_list_view_win32.h"
#include "ui/resources_win32.h"

#include "platform/win32_text.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>

using quillmar::Utf8FromWide;
using quillmar::WideFromUtf8;

namespace {

// Posted to itself by a dialog whose list view lost its selected row: the
// loss is reported only if no other row took the selection meanwhile.
constexpr UINT kSelectionLost = WM_APP + 1;
// Posted to itself by a dialog whose dialog manager moves the focus (Tab,
// Shift+Tab): once it has moved, the focused control is scrolled into view.
constexpr UINT kFocusMoved = WM_APP + 2;

bool IsListBox(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, L"ListBox") == 0;
}

// A one-line text wider than its rectangle (at a high DPI the font grows a
// little more than the dialog units) would wrap and lose its end out of
// sight: it grows to the right instead.
void WidenOneLineText(HWND control, const RECT& box) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT need{};
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (need.right <= box.right || box.bottom >= 2 * need.bottom) return;
    SetWindowPos(control, nullptr, 0, 0, need.right, box.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

class NativeDialog {
public:
    explicit NativeDialog(CDialog& dialog) : dialog_(dialog) {}
    ~NativeDialog() {
        if (!hwnd_) return;
        // Nothing the window still reports may reach the object from now on.
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
    }

    static NativeDialog& Of(CDialog& dialog) { return *dialog.native_; }
    static NativeDialog* OfWindow(HWND window) {
        return window ? reinterpret_cast<NativeDialog*>(GetWindowLongPtrW(window, DWLP_USER)) : nullptr;
    }

    bool Create(HWND parent) {
        words_ = BuildDlgTemplateEx(dialog_.template_);
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), Words(), parent, &Procedure,
                                   reinterpret_cast<LPARAM>(this));
        return hwnd_ != nullptr;
    }

    int RunModal(HWND owner) {
        if (!hwnd_) {
            words_ = BuildDlgTemplateEx(dialog_.template_);
            in_dialog_box_ = true;
            const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), Words(), owner, &Procedure,
                                                           reinterpret_cast<LPARAM>(this));
            in_dialog_box_ = false;
            hwnd_ = nullptr;  // the dialog manager destroyed it
            return static_cast<int>(result);
        }
        // Already created without being shown: the same modal run by hand.
        const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
        ended_ = false;
        ::ShowWindow(hwnd_, SW_SHOW);
        MSG message;
        while (!ended_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (IsDialogMessageW(hwnd_, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (ownerWasEnabled) EnableWindow(owner, TRUE);
        ::ShowWindow(hwnd_, SW_HIDE);
        return result_;
    }

    void End(int result) {
        result_ = result;
        ended_ = true;
        if (in_dialog_box_)
            ::EndDialog(hwnd_, result);
        else if (hwnd_)
            ::ShowWindow(hwnd_, SW_HIDE);
    }

    // Over the display area of the tab control, just after it in z-order so
    // that Tab walks from the tabs into the page and on to the window's
    // other controls. The tab control's window region leaves out the display
    // area: it never paints over the page below it, nor takes its clicks.
    void PlaceOverTabControl(HWND tabControl) {
        RECT frame, area;
        GetWindowRect(tabControl, &frame);
        area = frame;
        TabCtrl_AdjustRect(tabControl, FALSE, &area);
        HRGN outside = CreateRectRgn(0, 0, frame.right - frame.left, frame.bottom - frame.top);
        HRGN hole = CreateRectRgn(area.left - frame.left, area.top - frame.top, area.right - frame.left,
                                  area.bottom - frame.top);
        CombineRgn(outside, outside, hole, RGN_DIFF);
        DeleteObject(hole);
        SetWindowRgn(tabControl, outside, TRUE);  // the window owns the region from now on
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&area), 2);
        SetWindowPos(hwnd_, tabControl, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
    }

    HWND Window() const { return hwnd_; }
    void SetFilter(DialogMessageFilter filter) { filter_ = std::move(filter); }

    void SetTooltip(HWND control, const std::string& text) {
        if (!tooltip_) {
            tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
            // Long texts (a status line's details) wrap instead of running off the screen.
            SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);
        }
        std::wstring wide = WideFromUtf8(text);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        if (wide.empty()) return;
        tool.lpszText = wide.data();  // the tooltip keeps its own copy
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    // The track bars say what they show whenever the window is shown.
    void ReportTrackBars() {
        for (const ControlTemplate& c : dialog_.template_.controls)
            if (c.kind == ControlKind::kTrackBar) dialog_.Notify(c.id, Notification::kRedraw);
    }

    void Report(int id, Notification code) { dialog_.Notify(id, code); }

private:
    LPCDLGTEMPLATEW Words() const { return reinterpret_cast<LPCDLGTEMPLATEW>(words_.data()); }

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            auto* self = reinterpret_cast<NativeDialog*>(lParam);
            self->hwnd_ = window;
            return self->InitDialog();
        }
        // A list view's rows hold their tooltips until the rows go, even
        // while the window itself is being destroyed.
        if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_DELETEITEM)
            FreeListViewRow(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        NativeDialog* self = OfWindow(window);
        if (!self) return FALSE;
        // Destroyed with its parent, or by the dialog manager after a modal run.
        if (message == WM_NCDESTROY) self->hwnd_ = nullptr;
        INT_PTR result = FALSE;
        if (self->filter_ && self->filter_(message, wParam, lParam, result)) return result;
        return self->Handle(message, wParam, lParam);
    }

    INT_PTR InitDialog() {
        for (const ControlTemplate& c : dialog_.template_.controls) PrepareControl(c);
        const bool child = GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD;
        if (child) {
            // Tab and the arrow keys walk into the page's controls.
            SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        } else {
            FitToWorkArea();
        }
        return dialog_.OnInitDialog() ? TRUE : FALSE;
    }

    void PrepareControl(const ControlTemplate& c) {
        HWND control = GetDlgItem(hwnd_, c.id);
        if (!control) return;
        RECT box;
        GetClientRect(control, &box);
        switch (c.kind) {
        case ControlKind::kListView:
            ListView_SetExtendedListViewStyle(
                control, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
            break;
        // Pictures drawn at the control's size from the resource, instead of
        // the dialog manager's 32-pixel icon stretched.
        case ControlKind::kIcon:
            if (HICON icon = LoadIconImage(ResourceNumber(c.caption), box.right, box.bottom)) {
                SendMessageW(control, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
                icons_.push_back(icon);
            }
            break;
        case ControlKind::kText:
            WidenOneLineText(control, box);
            break;
        case ControlKind::kBitmap:
            if (HBITMAP picture = LoadBitmapImage(ResourceNumber(c.caption), box.right, box.bottom)) {
                SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
                bitmaps_.push_back(picture);
            }
            break;
        default:
            break;
        }
    }

    // Centred on the work area of its monitor; a window bigger than that
    // fills it and scrolls.
    void FitToWorkArea() {
        HWND owner = GetWindow(hwnd_, GW_OWNER);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& area = monitor.rcWork;
        FitDialogWithScrollBars(hwnd_, area);
        RECT frame;
        GetWindowRect(hwnd_, &frame);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        const int x = area.left + std::max(0L, (area.right - area.left - width) / 2);
        const int y = area.top + std::max(0L, (area.bottom - area.top - height) / 2);
        SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        if (ScrollDialog(hwnd_, message, wParam, lParam)) return TRUE;
        switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const HWND control = reinterpret_cast<HWND>(lParam);
            if (HIWORD(wParam) == BN_CLICKED)
                dialog_.Notify(id, Notification::kClicked);
            else if (HIWORD(wParam) == LBN_SELCHANGE && IsListBox(control))
                dialog_.Notify(id, Notification::kSelChange);
            return TRUE;
        }
        case WM_NOTIFY:
            return Notified(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_HSCROLL:
            if (lParam) dialog_.Notify(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), Notification::kRedraw);
            return TRUE;
        case WM_SHOWWINDOW:
            if (wParam) ReportTrackBars();
            return FALSE;
        case WM_NEXTDLGCTL:
            PostMessageW(hwnd_, kFocusMoved, 0, 0);
            return FALSE;  // the dialog manager moves the focus
        case kFocusMoved:
            ScrollIntoView(hwnd_, GetFocus());
            return TRUE;
        case kSelectionLost:
            if (ListView_GetSelectedCount(GetDlgItem(hwnd_, static_cast<int>(wParam))) == 0)
                dialog_.Notify(static_cast<int>(wParam), Notification::kItemChanged);
            return TRUE;
        case WM_CLOSE:
            // Handled here rather than by the dialog manager, which would
            // make the close box indistinguishable from Escape.
            dialog_.OnClose();
            return TRUE;
        case WM_CONTEXTMENU:
            // A page leaves the menu to the window that holds it.
            if (dialog_.IsChild()) return FALSE;
            dialog_.OnContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return TRUE;
        case WM_DESTROY:
            // Picture controls leave the images they were given to their giver.
            for (HICON icon : std::exchange(icons_, {})) DestroyIcon(icon);
            for (HBITMAP picture : std::exchange(bitmaps_, {})) DeleteObject(picture);
            return FALSE;
        default:
            return FALSE;
        }
    }

    INT_PTR Notified(const NMHDR& header) {
        const int id = static_cast<int>(header.idFrom);
        switch (header.code) {
        case TCN_SELCHANGE:
            dialog_.Notify(id, Notification::kSelChange);
            return TRUE;
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (!(change.uChanged & LVIF_STATE) || !((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
                return TRUE;
            // A single-selection list unselects the old row before it selects
            // the new one: only the second step is a change worth reporting.
            if (change.uNewState & LVIS_SELECTED)
                dialog_.Notify(id, Notification::kItemChanged);
            else
                PostMessageW(hwnd_, kSelectionLost, static_cast<WPARAM>(id), 0);
            return TRUE;
        }
        case LVN_GETINFOTIP:
            FillListViewTip(*reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(&header)));
            return TRUE;
        default:
            return FALSE;
        }
    }

    CDialog& dialog_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<std::uint16_t> words_;
    std::vector<HICON> icons_;  // set on picture controls, destroyed with the window
    std::vector<HBITMAP> bitmaps_;
    DialogMessageFilter filter_;
    bool in_dialog_box_ = false;
    bool ended_ = false;
    int result_ = IDCANCEL;
};

void SetDialogMessageFilter(CDialog& dialog, DialogMessageFilter filter) {
    NativeDialog::Of(dialog).SetFilter(std::move(filter));
}

void ReportControlNotification(HWND control, Notification code) {
    if (NativeDialog* native = NativeDialog::OfWindow(GetParent(control))) native->Report(GetDlgCtrlID(control), code);
}

CDialog::CDialog(const DialogTemplate& dialogTemplate)
    : template_(dialogTemplate), native_(std::make_unique<NativeDialog>(*this)) {}

// The window goes first, while the object is whole; Notify ignores what it
// reports on the way out.
CDialog::~CDialog() { native_.reset(); }

bool CDialog::CreatePage(CDialog& parent, int tabControlId) {
    if (native_->Window()) return true;
    HWND tabControl = parent.GetDlgItem(tabControlId);
    if (!parent.Window() || !tabControl) return false;
    child_ = true;
    if (!native_->Create(parent.Window())) return false;
    native_->PlaceOverTabControl(tabControl);
    return true;
}

bool CDialog::CreateTopLevel(CDialog* owner) {
    if (native_->Window()) return true;
    return native_->Create(owner ? owner->Window() : nullptr);
}

int CDialog::DoModal(CDialog* owner) { return native_->RunModal(owner ? owner->Window() : nullptr); }

void CDialog::EndDialog(int result) { native_->End(result); }

void CDialog::ShowWindow(bool show) { ::ShowWindow(native_->Window(), show ? SW_SHOW : SW_HIDE); }

bool CDialog::IsWindowVisible() const { return native_->Window() && ::IsWindowVisible(native_->Window()); }

NativeWindow CDialog::Window() const { return native_->Window(); }

NativeWindow CDialog::GetDlgItem(int id) const {
    return id == kNoId || !native_->Window() ? nullptr : ::GetDlgItem(native_->Window(), id);
}

void CDialog::EnableControl(int id, bool enable) {
    if (HWND control = GetDlgItem(id)) EnableWindow(control, enable);
}

bool CDialog::IsControlEnabled(int id) const {
    HWND control = GetDlgItem(id);
    return control && IsWindowEnabled(control);
}

void CDialog::ShowControl(int id, bool show) {
    if (HWND control = GetDlgItem(id)) ::ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

bool CDialog::IsControlShown(int id) const {
    HWND control = GetDlgItem(id);
    return control && (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE);
}

void CDialog::SetControlText(int id, const std::string& text) {
    if (HWND control = GetDlgItem(id)) SetWindowTextW(control, WideFromUtf8(text).c_str());
}

std::string CDialog::ControlText(int id) const {
    HWND control = GetDlgItem(id);
    if (!control) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

void CDialog::SetControlTooltip(int id, const std::string& text) {
    if (HWND control = GetDlgItem(id)) native_->SetTooltip(control, text);
}
