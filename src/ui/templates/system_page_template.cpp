#include "ui/templates/dialog_templates.h"

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {1061, CheckBox, u"sync time and date", 27, 18, 77, 10, kTabStop},
    {1051, Separator, u"", 15, 35, 423, 1, 0},
    {1064, Text, u"Image Rotate", 15, 42, 45, 8, kGroup},
    {1042, Radio, u"Normal", 27, 57, 38, 10, kRadioStart},
    {1043, Radio, u"Rotate 180°", 70, 57, 55, 10, kTabStop},
    {1050, Separator, u"", 15, 72, 423, 1, 0},
    {1075, Text, u"TV Mode", 18, 79, 28, 8, kGroup},
    {1069, Radio, u"NTSC", 27, 94, 33, 10, kRadioStart},
    {1070, Radio, u"PAL", 70, 94, 28, 10, kTabStop},
    {1053, Separator, u"", 15, 108, 423, 1, 0},
    {1074, Text, u"Ligh Frequence", 19, 115, 50, 8, kGroup},
    {1072, Radio, u"50Hz", 27, 131, 32, 10, kRadioStart},
    {1073, Radio, u"60Hz", 70, 131, 32, 10, kTabStop},
    {1054, Separator, u"", 15, 145, 423, 1, 0},
    {1068, Text, u"Auto Shutdown", 17, 153, 50, 8, kGroup},
    {1044, Radio, u"OFF", 27, 168, 29, 10, kRadioStart},
    {1065, Radio, u"3 Min", 70, 168, 33, 10, kTabStop},
    {1066, Radio, u"5 Min", 122, 168, 33, 10, kTabStop},
    {1067, Radio, u"10 Min", 178, 168, 37, 10, kTabStop},
    {1052, Separator, u"", 15, 187, 423, 1, 0},
    {1083, Text, u"Date Format", 16, 196, 41, 8, kGroup},
    {1076, Radio, u"yyyy-MM-dd HH:mm:ss", 27, 212, 90, 10, kRadioStart},
    {1077, Radio, u"dd-MM-yyyy HH:mm:ss", 129, 212, 90, 10, kTabStop},
    {1078, Radio, u"MM-dd-yyyy HH:mm:ss", 256, 213, 90, 10, kTabStop},
    {1055, Separator, u"", 15, 230, 423, 1, 0},
    {1095, CheckBox, u"Show OSD", 151, 18, 49, 10, kTabStop | kHidden},
    {1098, Text, u"OSD", 16, 240, 15, 8, kGroup},
    {1096, Radio, u"OFF", 27, 255, 29, 10, kRadioStart},
    {1097, Radio, u"ON", 70, 255, 26, 10, kTabStop},
    {1099, CheckBox, u"Format SD card", 266, 18, 65, 10, kTabStop},
    {1102, Text, u"Beep", 17, 276, 17, 8, kGroup},
    {1100, Radio, u"OFF", 27, 291, 29, 10, kRadioStart},
    {1101, Radio, u"ON", 70, 291, 26, 10, kTabStop},
    {1056, Separator, u"", 15, 271, 423, 1, 0},
};
}  // namespace

const DialogTemplate kSystemPageTemplate{
    IDD_TAB_SYSTEM, u"", u"MS Shell Dlg", 8, 518, 325, kControls};
