// Template 132, the new-profile dialog.
#include "ui/templates/dialog_templates.h"

#include "ui/resource_ids.h"

namespace quillmar {

namespace {
using enum ControlKind;

constexpr ControlTemplate kControls[] = {
    {IDC_PROFILE_NAME, kEdit, u"", 15, 25, 162, 14, kTabStop},
    {IDOK, kDefPushButton, u"确定", 28, 51, 50, 14, kTabStop},
    {IDCANCEL, kPushButton, u"取消", 106, 51, 50, 14, kTabStop},
};
}  // namespace

const DialogTemplate kNewProfileTemplate{IDD_NEW_CFG, u"New", u"MS Shell Dlg", 8, 192, 82, kControls};

}  // namespace quillmar
