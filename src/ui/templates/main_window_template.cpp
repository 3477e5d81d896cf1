// Template 102, the main window, and where its status strip sits.
#include "ui/templates/dialog_templates.h"

#include "ui/resource_ids.h"

namespace quillmar {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {IDOK, kDefPushButton, u"OK", 209, 429, 50, 14, kTabStop | kHidden},
    {IDCANCEL, kPushButton, u"Cancel", 604, 429, 50, 14, kTabStop | kHidden},
    {IDC_CARD_LIST, kListView, u"", 7, 7, 436, 74, kTabStop},
    {IDC_PROFILE_LIST, kListBox, u"", 452, 7, 136, 74, kTabStop},
    {IDC_SETTINGS_TABS, kTabControl, u"", 8, 97, 640, 329, 0},
    {IDC_NEW_PROFILE, kPushButton, u"New Profile", 596, 7, 50, 14, kTabStop},
    {IDC_DEL_PROFILE, kPushButton, u"Del Profile", 596, 27, 50, 14, kTabStop},
    {IDC_SET, kPushButton, u"Set", 596, 66, 50, 14, kTabStop},
    {IDC_SAVE_PROFILE, kPushButton, u"Save Profile", 596, 46, 50, 14, kTabStop},
    {kNoId, kBitmap, u"145", 382, 81, 269, 27, 0},
};
}  // namespace

const DialogTemplate kMainWindowTemplate{IDD_QUILLMAR_DIALOG, u"TORVEX", u"MS Shell Dlg", 8, 661, 450, kControls};

const ControlTemplate kMainWindowStatusArea{kNoId, ControlKind::kText, u"", 7, 83, 372, 13, 0};

}  // namespace quillmar
