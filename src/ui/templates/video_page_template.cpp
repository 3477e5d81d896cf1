#include "ui/templates/dialog_templates.h"

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {1012, Radio, u"SFine", 22, 33, 33, 10, kRadioStart},
    {1013, Radio, u"Fine", 77, 33, 29, 10, kTabStop},
    {1014, Radio, u"Normal", 133, 33, 38, 10, kTabStop},
    {1015, Radio, u"Wide", 21, 72, 32, 10, kRadioStart},
    {1016, Radio, u"Normal", 77, 72, 38, 10, kTabStop},
    {1017, Radio, u"Narrow", 133, 72, 39, 10, kTabStop},
    {1018, Radio, u"OFF", 21, 111, 29, 10, kRadioStart},
    {1019, Radio, u"1 Seconds", 77, 111, 49, 10, kTabStop},
    {1020, Radio, u"2 Seconds", 133, 111, 49, 10, kTabStop},
    {1021, Radio, u"5 Seconds", 186, 111, 49, 10, kTabStop},
    {1022, Radio, u"10 Seconds", 21, 128, 53, 10, kTabStop},
    {1023, Radio, u"30 Seconds", 77, 128, 53, 10, kTabStop},
    {1024, Radio, u"60 Seconds", 133, 128, 53, 10, kTabStop},
    {1027, Radio, u"OFF", 20, 172, 29, 10, kRadioStart},
    {1028, Radio, u"Time", 77, 172, 31, 10, kTabStop},
    {1029, Radio, u"Date", 131, 172, 31, 10, kTabStop},
    {1031, Radio, u"Date& and Time", 182, 172, 62, 10, kTabStop},
    {1041, Text, u"Video Quality", 23, 18, 43, 8, kGroup},
    {1034, Text, u"Fov", 23, 56, 13, 8, kGroup},
    {1033, Text, u"Timelapse", 21, 95, 32, 8, kGroup},
    {1025, Separator, u"", 21, 50, 277, 1, 0},
    {1026, Separator, u"", 21, 88, 277, 1, 0},
    {1032, Text, u"Video Stamp", 21, 156, 40, 8, kGroup},
    {1030, Separator, u"", 19, 150, 277, 1, 0},
    {1035, Separator, u"", 20, 188, 277, 1, 0},
    {1080, Text, u"Microphone Volume", 355, 56, 62, 8, kGroup},
    {1079, TrackBar, u"", 388, 69, 221, 28, kTabStop},
    {1081, Text, u"Mute", 364, 77, 17, 8, kGroup},
    {1082, Text, u"100%", 607, 77, 20, 8, kGroup},
    {1084, Text, u"volume", 485, 100, 30, 16, kGroup},
    {1037, Separator, u"", 21, 225, 277, 1, 0},
    {1085, Text, u"Auto Record", 22, 194, 41, 8, kGroup},
    {1042, Radio, u"OFF", 20, 209, 29, 10, kRadioStart},
    {1043, Radio, u"ON", 77, 209, 26, 10, kTabStop},
    {1087, Text, u"Loop Record", 22, 233, 41, 8, kGroup},
    {1044, Radio, u"OFF", 20, 249, 29, 10, kRadioStart},
    {1086, Radio, u"2 Min", 77, 249, 33, 10, kTabStop},
    {1088, Radio, u"3 Min", 128, 249, 33, 10, kTabStop},
    {1089, Radio, u"5 Min", 183, 249, 33, 10, kTabStop},
    {kNoId, Text, u"Record Beep", 355, 18, 42, 8, kGroup},
    {1103, Radio, u"OFF", 355, 33, 29, 10, kRadioStart},
    {1104, Radio, u"5 Min", 410, 33, 33, 10, kTabStop},
    {1105, Radio, u"10 Min", 474, 33, 37, 10, kTabStop},
    {1106, Radio, u"15 Min", 540, 33, 37, 10, kTabStop},
    {1036, Separator, u"", 354, 49, 275, 2, 0},
};
}  // namespace

const DialogTemplate kVideoPageTemplate{
    IDD_TAB_VIDEO, u"", u"MS Shell Dlg", 8, 652, 356, kControls};
