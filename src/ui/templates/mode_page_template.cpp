// Template 129, the Mode page.
#include "ui/templates/dialog_templates.h"

#include "ui/resource_ids.h"

namespace quillmar {

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {IDC_MODE1_LABEL, kText, u"Mode 1", 15, 15, 24, 8, kGroup},
    {IDC_MODE1_2304X1296P_30, kRadio, u"2304x1296P 30", 15, 31, 66, 10, kRadioStart},
    {IDC_MODE1_1920X1080P_60, kRadio, u"1920x1080P 60", 15, 47, 66, 10, kTabStop},
    {IDC_MODE1_1920X1080P30, kRadio, u"1920x1080P30", 15, 64, 64, 10, kTabStop},
    {IDC_MODE2_LABEL, kText, u"Mode 2", 117, 17, 24, 8, kGroup},
    {IDC_MODE2_1280X720_120, kRadio, u"1280x720 120", 117, 33, 66, 10, kRadioStart},
    {IDC_MODE2_1280X720P_60, kRadio, u"1280x720P 60", 117, 49, 66, 10, kTabStop},
    {IDC_MODE2_1280X720P_30, kRadio, u"1280x720P 30", 117, 66, 64, 10, kTabStop},
    {IDC_MODE3_LABEL, kText, u"Mode 3", 211, 18, 24, 8, kGroup},
    {IDC_MODE3_16M_4608X3456_4_3, kRadio, u"16M（4608x3456  4：3）", 211, 34, 101, 10, kRadioStart},
    {IDC_MODE3_12M_4000X3000_4_3, kRadio, u"12M（4000x3000  4：3）", 211, 50, 101, 10, kTabStop},
    {IDC_MODE3_8M_3264X2448_4_3, kRadio, u"8M（3264x2448  4：3）", 211, 66, 97, 10, kTabStop},
    {IDC_MODE3_5M_2560X1920_4_3, kRadio, u"5M（2560x1920  4：3）", 211, 84, 97, 10, kTabStop},
};
}  // namespace

const DialogTemplate kModePageTemplate{IDD_TAB_MODE, u"", u"Microsoft Sans Serif", 10, 561, 251, kControls};

}  // namespace quillmar
