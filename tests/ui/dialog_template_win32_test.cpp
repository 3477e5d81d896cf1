// Windows builds every dialog from its template: each control exists with its
// id, in template order, at the template's rectangle in dialog units.
#include "ui/dialog/dialog_template_win32.h"
#include "ui/templates/dialog_templates.h"
#include "windows/template_rect_win32.h"

#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

namespace quillmar {
namespace {

HWND Create(const DialogTemplate& dialog, HWND parent) {
    const std::vector<std::uint16_t> words = BuildDlgTemplateEx(dialog);
    DLGPROC noHandling = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                      parent, noHandling, 0);
}

TEST(DialogTemplateWin32, EveryControlAtItsTemplateRectangle) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    const HWND host = Create(kMainWindowTemplate, nullptr);  // the pages' parent
    ASSERT_NE(host, nullptr);
    for (const DialogTemplate* dialog : AllDialogTemplates()) {
        SCOPED_TRACE(dialog->id);
        const HWND window = Create(*dialog, *dialog->caption ? nullptr : host);
        ASSERT_NE(window, nullptr) << GetLastError();
        HWND control = GetWindow(window, GW_CHILD);
        for (const ControlTemplate& c : dialog->controls) {
            SCOPED_TRACE(c.id);
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(GetDlgCtrlID(control), c.id);
            EXPECT_EQ(PlacedRect(window, control), TemplateRect(window, c));
            control = GetWindow(control, GW_HWNDNEXT);
        }
        EXPECT_EQ(control, nullptr) << "more windows than controls";
        DestroyWindow(window);
    }
    DestroyWindow(host);
}

}  // namespace
}  // namespace quillmar
