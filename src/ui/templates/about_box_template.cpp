// Template 100, the About box.
#include "ui/templates/dialog_templates.h"

namespace quillmar {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {kNoId, kIcon, u"128", 14, 14, 20, 20, 0},
    {kNoId, kText, u"Quillmar, Version 1.0", 42, 14, 114, 8, 0},
    {IDOK, kDefPushButton, u"OK", 113, 41, 50, 14, kTabStop},
};
}  // namespace

const DialogTemplate kAboutBoxTemplate{IDD_ABOUTBOX, u"About Quillmar", u"MS Shell Dlg", 8, 170, 62, kControls};

}  // namespace quillmar
