// Looks into the running window titled TORVEX from outside, for the window's
// end-to-end test that drives it with xdotool:
//   window_probe check PAGE   the window's and the shown page's controls at
//                             their template rectangles (PAGE: template id;
//                             a text may be wider, grown to its length)
//   window_probe at ID        screen centre of the shown control ID
//   window_probe item ID N    screen centre of item N of a tab control, list
//                             box or list view
//   window_probe status       the status line's text
//   window_probe arrive E DIR makes DIR (a Unix path) the removable drive E:
//   window_probe leave E takes the drive E: away
#include "ui/dialog/dialog_template_win32.h"
#include "ui/templates/dialog_templates.h"
#include "windows/template_rect_win32.h"

#include <commctrl.h>
#include <dbt.h>
#include <winioctl.h>

#include <algorithm>
#include <cstddef>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

using namespace quillmar;

namespace {

HWND page = nullptr;  // the shown page

// The shown control with this id: the window's own first, then the page's.
HWND Shown(HWND window, int id) {
    const HWND own = GetDlgItem(window, id);
    if (own && GetParent(own) == window && IsWindowVisible(own)) return own;
    return page ? GetDlgItem(page, id) : nullptr;
}

// A hidden copy of the dialog made here: dialog units map only in the
// process that made the dialog.
HWND Copy(const DialogTemplate& t) {
    static const std::vector<std::uint16_t> mainWords = BuildDlgTemplateEx(kMainWindowTemplate);
    static const HWND host = CreateDialogIndirectW(nullptr, LPCDLGTEMPLATEW(mainWords.data()), nullptr, nullptr);
    const std::vector<std::uint16_t> words = BuildDlgTemplateEx(t);
    return CreateDialogIndirectW(nullptr, LPCDLGTEMPLATEW(words.data()), *t.caption ? nullptr : host, nullptr);
}

// A one-line text may be wider: one too long for its rectangle grows to its length.
bool AtTemplateRect(HWND dialog, HWND control, HWND copy, const ControlTemplate& c) {
    std::array<LONG, 4> placed = PlacedRect(dialog, control);
    const std::array<LONG, 4> wanted = TemplateRect(copy, c);
    if (c.kind == ControlKind::kText) placed[2] = std::min(placed[2], wanted[2]);
    return placed == wanted;
}

bool Check(HWND dialog, const DialogTemplate& t) {
    const HWND copy = Copy(t);
    bool same = true;
    for (const ControlTemplate& c : t.controls) {
        const HWND control = c.id == kNoId ? nullptr : GetDlgItem(dialog, c.id);
        if (c.id == kNoId ||
            (control && AtTemplateRect(dialog, control, copy, c) && bool(IsWindowVisible(control)) == c.Visible()))
            continue;
        same = false;
        const auto [x, y, w, h] = TemplateRect(copy, c);
        const auto [px, py, pw, ph] = control ? PlacedRect(dialog, control) : std::array<LONG, 4>{};
        std::printf("dialog %d control %d: not shown at %ld,%ld %ldx%ld%s at %ld,%ld %ldx%ld\n", t.id, c.id, x, y, w, h,
                    IsWindowVisible(control) ? " but" : ", hidden", px, py, pw, ph);
    }
    return same;
}

void PrintCentre(HWND control, RECT r) {
    MapWindowPoints(control, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The item's rectangle, if it exists. Windows carries a list box's pointer
// across processes; for the others it points into the window's process.
bool ItemRect(HWND control, int n, RECT& r) {
    wchar_t kind[32];
    GetClassNameW(control, kind, 32);
    if (!std::wcscmp(kind, WC_LISTBOXW)) return SendMessageW(control, LB_GETITEMRECT, n, LPARAM(&r)) != LB_ERR;
    DWORD pid = 0;
    GetWindowThreadProcessId(control, &pid);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    void* remote = VirtualAllocEx(process, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
    r = {LVIR_LABEL, 0, 0, 0};
    WriteProcessMemory(process, remote, &r, sizeof r, nullptr);
    const UINT message = std::wcscmp(kind, WC_TABCONTROLW) ? LVM_GETITEMRECT : TCM_GETITEMRECT;
    const bool found = SendMessageW(control, message, n, LPARAM(remote));
    ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
    return found;  // the process ends soon, and the window's with it
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const HWND window = FindWindowW(nullptr, L"TORVEX");
    if (!window) return std::fprintf(stderr, "no window titled TORVEX\n"), 2;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
            wchar_t kind[8];
            GetClassNameW(child, kind, 8);
            if (!std::wcscmp(kind, L"#32770") && IsWindowVisible(child)) page = child;
            return page == nullptr;
        },
        0);
    if (command == "check" && argc == 3) {
        const bool mainSame = Check(window, kMainWindowTemplate);
        for (const DialogTemplate* t : AllDialogTemplates())
            if (t->id == std::atoi(argv[2])) return page && Check(page, *t) && mainSame ? 0 : 1;
    } else if (command == "at" && argc == 3) {
        const HWND control = Shown(window, std::atoi(argv[2]));
        RECT r;
        return control && GetClientRect(control, &r) ? PrintCentre(control, r), 0 : 1;
    } else if (command == "item" && argc == 4) {
        const HWND control = GetDlgItem(window, std::atoi(argv[2]));
        RECT r;
        return ItemRect(control, std::atoi(argv[3]), r) ? PrintCentre(control, r), 0 : 1;
    } else if (command == "status") {
        RECT r{kMainWindowStatusArea.x + 2, kMainWindowStatusArea.y + kMainWindowStatusArea.height / 2, 0, 0};
        MapDialogRect(Copy(kMainWindowTemplate), &r);
        const HWND text = ChildWindowFromPointEx(window, {r.left, r.top}, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        wchar_t shown[512] = L"";  // empty when nothing is there but the window
        if (text != window) SendMessageW(text, WM_GETTEXT, 512, LPARAM(shown));
        return std::printf("%ls\n", shown), 0;
    } else if ((command == "arrive" && argc == 4) || (command == "leave" && argc == 3)) {
        // Wine's mount manager makes the drive as its configuration tool does;
        // its notice reaches no window of this desktop under Wine (nor does
        // BroadcastSystemMessageW's), so the window is told as Windows tells it.
        struct {
            ULONG size, type, fs_type, serial;
            ULONGLONG unix_dev;
            WCHAR letter;
            USHORT mount_point_offset, device_offset, label_offset;
            char mount_point[MAX_PATH];
        } drive{sizeof drive,
                ULONG(argc == 4 ? DRIVE_REMOVABLE : DRIVE_NO_ROOT_DIR),
                0,
                0,
                0,
                WCHAR(argv[2][0]),
                USHORT(argc == 4 ? offsetof(decltype(drive), mount_point) : 0),  // none: the letter goes
                0,
                0,
                ""};
        if (argc == 4) std::snprintf(drive.mount_point, MAX_PATH, "%s", argv[3]);
        const HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const DWORD defineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        if (!DeviceIoControl(manager, defineUnixDrive, &drive, sizeof drive, nullptr, 0, nullptr, nullptr)) return 1;
        DEV_BROADCAST_VOLUME volume{sizeof volume, DBT_DEVTYP_VOLUME, 0, 1u << (argv[2][0] - 'A'), 0};
        const WPARAM event = argc == 4 ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
        return SendMessageW(window, WM_DEVICECHANGE, event, LPARAM(&volume)), 0;
    }
    std::fprintf(stderr,
                 "usage: window_probe check PAGE | at ID | item ID N | status | arrive LETTER DIR | leave LETTER\n");
    return 2;
}
