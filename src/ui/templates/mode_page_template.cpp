#include "ui/templates/dialog_templates.h"

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {1011, Text, u"Mode 1", 15, 15, 24, 8, kGroup},
    {1007, Radio, u"2304x1296P 30", 15, 31, 66, 10, kRadioStart},
    {1008, Radio, u"1920x1080P 60", 15, 47, 66, 10, kTabStop},
    {1009, Radio, u"1920x1080P30", 15, 64, 64, 10, kTabStop},
    {1012, Text, u"Mode 2", 117, 17, 24, 8, kGroup},
    {1010, Radio, u"1280x720 120", 117, 33, 66, 10, kRadioStart},
    {1013, Radio, u"1280x720P 60", 117, 49, 66, 10, kTabStop},
    {1014, Radio, u"1280x720P 30", 117, 66, 64, 10, kTabStop},
    {1015, Text, u"Mode 3", 211, 18, 24, 8, kGroup},
    {1016, Radio, u"16M（4608x3456  4：3）", 211, 34, 101, 10, kRadioStart},
    {1017, Radio, u"12M（4000x3000  4：3）", 211, 50, 101, 10, kTabStop},
    {1018, Radio, u"8M（3264x2448  4：3）", 211, 66, 97, 10, kTabStop},
    {1019, Radio, u"5M（2560x1920  4：3）", 211, 84, 97, 10, kTabStop},
};
}  // namespace

const DialogTemplate kModePageTemplate{
    IDD_TAB_MODE, u"", u"Microsoft Sans Serif", 10, 561, 251, kControls};
