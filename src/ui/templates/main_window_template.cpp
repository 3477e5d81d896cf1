#include "ui/templates/dialog_templates.h"

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {IDOK, DefPushButton, u"OK", 209, 429, 50, 14, kTabStop | kHidden},
    {IDCANCEL, PushButton, u"Cancel", 604, 429, 50, 14, kTabStop | kHidden},
    {1000, ListView, u"", 7, 7, 436, 74, kTabStop},
    {1001, ListBox, u"", 452, 7, 136, 74, kTabStop},
    {1002, TabControl, u"", 8, 97, 640, 329, 0},
    {1003, PushButton, u"New Profile", 596, 7, 50, 14, kTabStop},
    {1004, PushButton, u"Del Profile", 596, 27, 50, 14, kTabStop},
    {1006, PushButton, u"Set", 596, 66, 50, 14, kTabStop},
    {1062, PushButton, u"Save Profile", 596, 46, 50, 14, kTabStop},
    {kNoId, Bitmap, u"145", 382, 81, 269, 27, 0},
};
}  // namespace

const DialogTemplate kMainWindowTemplate{
    IDD_QUILLMAR_DIALOG, u"TORVEX", u"MS Shell Dlg", 8, 661, 450, kControls};
