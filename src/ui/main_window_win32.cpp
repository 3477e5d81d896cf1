// The main window's Windows side: About in the window menu, F1, Ctrl+Q, the icons, the status line, the card row
// menu, and the watches of devices (WM_DEVICECHANGE) and cfg.ini (a change notification polled by a timer).
#include "platform/win32_text.h"
#include "ui/card_display_name.h"
#include "ui/dialog/native_dialog_win32.h"
#include "ui/main_window.h"
#include "ui/resource_ids.h"
#include "ui/resources.h"
#include "ui/resources_win32.h"
#include "ui/status_text_win32.h"
#include "ui/templates/dialog_templates.h"

#include <commctrl.h>
#include <dbt.h>

#include <algorithm>
#include <filesystem>

namespace quillmar {

namespace {

constexpr int kStatusTextId = 1200;  // beside the template's controls
constexpr UINT_PTR kCfgTimer = 1;
constexpr UINT kCfgPollMs = 1000;
constexpr int kLoadCommand = 1, kEjectCommand = 2;

// The window Ctrl+Q closes. A hook has no place for context of its own, and
// the program has one main window.
HWND ctrlQWindow = nullptr;

// Ctrl+Q goes to whichever control has the focus; the dialog manager's loop
// lets this hook see it first.
LRESULT CALLBACK CtrlQFilter(int code, WPARAM wParam, LPARAM lParam) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message.message == WM_KEYDOWN && message.wParam == 'Q' &&
        GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 && GetAncestor(message.hwnd, GA_ROOT) == ctrlQWindow) {
        PostMessageW(ctrlQWindow, WM_CLOSE, 0, 0);
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

struct CQuillmarVS2010Dlg::SystemParts {
    explicit SystemParts(CQuillmarVS2010Dlg& owner)
        : window(owner), status(owner, kMainWindowStatusArea, kStatusTextId) {}
    ~SystemParts() {
        if (ctrl_q_hook) UnhookWindowsHookEx(ctrl_q_hook);
        ctrlQWindow = nullptr;
        if (cfg_change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(cfg_change);
        for (HICON icon : icons) DestroyIcon(icon);
    }

    void SetUpWindowMenu();
    void SetUpWatchers();
    // A filter for the main window's messages and one for each page's.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    bool OnPageMessage(UINT message, WPARAM wParam);
    void ShowCardMenu(int row, POINT at);
    void PollCfgFile();

    CQuillmarVS2010Dlg& window;
    StatusText status;
    HANDLE cfg_change = INVALID_HANDLE_VALUE;
    HHOOK ctrl_q_hook = nullptr;
    HICON icons[2] = {};
};

void CQuillmarVS2010Dlg::SystemPartsDeleter::operator()(SystemParts* parts) const { delete parts; }

void CQuillmarVS2010Dlg::SetUpSystemParts() {
    system_.reset(new SystemParts(*this));
    status_ = &system_->status;
    HWND w = Window();
    system_->icons[0] = LoadIconImage(IDR_MAINFRAME, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    system_->icons[1] = LoadIconImage(IDR_MAINFRAME, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(system_->icons[0]));
    SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(system_->icons[1]));
    system_->SetUpWindowMenu();
    // Alt+F4 and the close box close it as on every Windows dialog; Ctrl+Q as on Linux.
    ctrlQWindow = w;
    system_->ctrl_q_hook = SetWindowsHookExW(WH_MSGFILTER, &CtrlQFilter, nullptr, GetCurrentThreadId());
    SystemParts* parts = system_.get();
    SetDialogMessageFilter(*this, [parts](UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
        return parts->OnMessage(message, wParam, lParam, result);
    });
    // Any change of a setting by the user makes the news stale.
    for (CDialog* page : pages_)
        SetDialogMessageFilter(*page, [parts](UINT message, WPARAM wParam, LPARAM, INT_PTR&) {
            return parts->OnPageMessage(message, wParam);
        });
    system_->SetUpWatchers();
    FitCardColumns();
}

// Windows gives the window its menu; the right-click menu of Linux is not needed.
void CQuillmarVS2010Dlg::OnContextMenu(int, int) {}

void CQuillmarVS2010Dlg::FitCardColumns() {
    HWND list = card_list_.Window();
    const int last = static_cast<int>(Header_GetItemCount(ListView_GetHeader(list))) - 1;
    // Each column as wide as its widest cell or its heading, with a letter's
    // width of air so that nothing looks cut; the last one takes the rest.
    const int air = ListView_GetStringWidth(list, L"n");
    for (int c = 0; c < last; ++c) {
        ListView_SetColumnWidth(list, c, LVSCW_AUTOSIZE);
        const int cells = ListView_GetColumnWidth(list, c);
        ListView_SetColumnWidth(list, c, LVSCW_AUTOSIZE_USEHEADER);
        ListView_SetColumnWidth(list, c, std::max(cells, ListView_GetColumnWidth(list, c)) + air);
    }
    if (last >= 0) ListView_SetColumnWidth(list, last, LVSCW_AUTOSIZE_USEHEADER);
}

std::string CQuillmarVS2010Dlg::EjectUnavailableReason(const std::string& root) const {
    if (IsCardFolder(root))
        return CardDisplayName(root) + " is a folder given with --card, not a drive: there is nothing to eject.";
    return "Use Safely Remove Hardware in the taskbar to eject " + CardDisplayName(root) + ".";
}

void CQuillmarVS2010Dlg::ShowWrittenNews(const std::string& text, const std::string& root) {
    if (root.empty() || IsCardFolder(root))
        system_->status.ShowMessage(text);
    else
        system_->status.ShowMessage(text, text, EjectUnavailableReason(root));
}

void CQuillmarVS2010Dlg::SystemParts::SetUpWindowMenu() {
    HMENU menu = GetSystemMenu(window.Window(), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, L"&About Quillmar...");
}

void CQuillmarVS2010Dlg::SystemParts::SetUpWatchers() {
    // Other copies of the program and quillmar-cli share cfg.ini: its folder
    // is watched, and the list read again when something there changed.
    std::filesystem::path folder = std::filesystem::path(WideFromUtf8(window.store_.CfgPath())).parent_path();
    if (folder.empty()) folder = L".";
    cfg_change = FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                              FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME);
    if (cfg_change != INVALID_HANDLE_VALUE) SetTimer(window.Window(), kCfgTimer, kCfgPollMs, nullptr);
    // Drives: WM_DEVICECHANGE reaches every top-level window unasked.
}

void CQuillmarVS2010Dlg::SystemParts::PollCfgFile() {
    if (WaitForSingleObject(cfg_change, 0) != WAIT_OBJECT_0) return;
    FindNextChangeNotification(cfg_change);
    window.RefreshProfileList();
}

bool CQuillmarVS2010Dlg::SystemParts::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    HWND cards = window.card_list_.Window();
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return false;
        window.OnSysCommand(IDM_ABOUTBOX);
        return (result = TRUE);
    case WM_HELP:
        window.OnSysCommand(IDM_ABOUTBOX);
        return (result = TRUE);
    case WM_DEVICECHANGE:
        if (wParam != DBT_DEVICEARRIVAL && wParam != DBT_DEVICEREMOVECOMPLETE) return false;
        window.OnDeviceChange(static_cast<std::uint32_t>(wParam), static_cast<std::uintptr_t>(lParam));
        SetWindowLongPtrW(window.Window(), DWLP_MSGRESULT, TRUE);
        return (result = TRUE);
    case WM_TIMER:
        if (wParam != kCfgTimer) return false;
        PollCfgFile();
        return (result = TRUE);
    case WM_CONTEXTMENU: {
        // The menu key or Shift+F10 on the card list: the selected row's menu, under the row.
        if (reinterpret_cast<HWND>(wParam) != cards || lParam != -1) return false;
        const int row = window.card_list_.GetSelectedItem();
        RECT box{};
        ListView_GetItemRect(cards, row, &box, LVIR_LABEL);
        POINT at{box.left, box.bottom};
        ClientToScreen(cards, &at);
        ShowCardMenu(row, at);
        return (result = TRUE);
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom != cards) return false;
        if (header.code == LVN_ITEMCHANGED) status.Clear();  // before the window's own news, if any
        if (header.code != NM_RCLICK) return false;
        POINT at;
        GetCursorPos(&at);
        ShowCardMenu(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem, at);
        return (result = TRUE);
    }
    default:
        return false;
    }
}

bool CQuillmarVS2010Dlg::SystemParts::OnPageMessage(UINT message, WPARAM wParam) {
    if (message == WM_HSCROLL || (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)) status.Clear();
    return false;  // the page handles it as always
}

void CQuillmarVS2010Dlg::SystemParts::ShowCardMenu(int row, POINT at) {
    if (row < 0) return;
    // The menu acts on the row it was opened on, which becomes the target.
    CListCtrl& list = window.card_list_;
    if (list.GetSelectedItem() != row) list.SelectItem(row);
    const std::string root = list.GetItemText(row, 0);
    const std::string unavailable = window.EjectUnavailableReason(root);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kLoadCommand, L"&Load Settings from Card");
    AppendMenuW(menu, MF_STRING | (unavailable.empty() ? 0 : MF_GRAYED), kEjectCommand, L"&Eject");
    // A disabled item shows no tooltip: why Eject is off stands below it.
    if (!unavailable.empty()) AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, WideFromUtf8(unavailable).c_str());
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window.Window(), nullptr);
    DestroyMenu(menu);
    if (chosen == kLoadCommand) window.OnLoadSettingsFromCard(root);
}

}  // namespace quillmar
