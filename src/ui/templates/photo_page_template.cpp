#include "ui/templates/dialog_templates.h"

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {1036, Radio, u"SFine", 20, 32, 33, 10, kRadioStart},
    {1037, Radio, u"Fine", 65, 32, 29, 10, kTabStop},
    {1038, Radio, u"Normal", 112, 32, 38, 10, kTabStop},
    {1043, Radio, u"OFF", 19, 73, 29, 10, kRadioStart},
    {1107, Radio, u"1 Second", 65, 73, 45, 10, 0},
    {1108, Radio, u"2 Seconds", 121, 73, 49, 10, 0},
    {1044, Radio, u"3 Seconds", 185, 73, 49, 10, kTabStop},
    {1045, Radio, u"5 Seconds", 19, 90, 49, 10, kTabStop},
    {1046, Radio, u"10 Seconds", 81, 90, 53, 10, kTabStop},
    {1047, Radio, u"30 Seconds", 150, 90, 53, 10, kTabStop},
    {1048, Radio, u"60 Seconds", 222, 90, 53, 10, kTabStop},
    {1052, Radio, u"OFF", 17, 133, 29, 10, kRadioStart},
    {1053, Radio, u"Time", 73, 133, 31, 10, kTabStop},
    {1054, Radio, u"Date", 129, 133, 31, 10, kTabStop},
    {1055, Radio, u"Date& and Time", 179, 133, 62, 10, kTabStop},
    {1090, Radio, u"OFF", 17, 183, 29, 10, kRadioStart},
    {1091, Radio, u"3 P", 73, 183, 26, 10, kTabStop},
    {1089, Radio, u"5 P", 129, 183, 26, 10, kTabStop},
    {1092, Radio, u"10 P", 179, 183, 30, 10, kTabStop},
    {1093, Radio, u"20 P", 237, 183, 30, 10, kTabStop | kHidden},
    {1094, Text, u"Burst", 19, 160, 18, 8, kGroup},
    {1039, Separator, u"", 19, 49, 425, 1, 0},
    {1050, Separator, u"", 19, 109, 423, 1, 0},
    {1042, Text, u"Auto Shoot", 21, 57, 37, 8, kGroup},
    {1051, Text, u"Photo Stamp", 19, 117, 42, 8, kGroup},
    {1040, Text, u"Photo Quality", 21, 17, 44, 8, kGroup},
    {1056, Separator, u"", 19, 151, 423, 1, 0},
};
}  // namespace

const DialogTemplate kPhotoPageTemplate{
    IDD_TAB_PHOTO, u"", u"MS Shell Dlg", 8, 524, 292, kControls};
