#include "ui/templates/dialog_templates.h"

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {1045, Text, u"Meter", 15, 18, 20, 8, kGroup},
    {1042, Radio, u"Spot", 15, 33, 31, 10, kRadioStart},
    {1043, Radio, u"Multi", 70, 33, 31, 10, kTabStop},
    {1044, Radio, u"Center", 126, 33, 38, 10, kTabStop},
    {kNoId, Separator, u"", 7, 46, 373, 1, 0},
    {1046, Text, u"ISO", 15, 52, 13, 8, kGroup},
    {1047, Radio, u"Auto", 15, 68, 31, 10, kRadioStart},
    {1048, Radio, u"100", 70, 68, 28, 10, kTabStop},
    {1049, Radio, u"200", 126, 68, 28, 10, kTabStop},
    {1050, Radio, u"400", 181, 68, 28, 10, kTabStop},
    {1051, Radio, u"800", 233, 68, 28, 10, kTabStop},
    {1052, Radio, u"1600", 284, 68, 32, 10, kTabStop},
    {kNoId, Separator, u"", 7, 81, 372, 1, 0},
    {1053, Text, u"White Balance", 15, 87, 46, 8, kGroup},
    {1054, Radio, u"Auto", 15, 103, 31, 10, kRadioStart},
    {1055, Radio, u"Cloudy", 70, 103, 38, 10, kTabStop},
    {1056, Radio, u"Daylight", 126, 103, 42, 10, kTabStop},
    {1057, Radio, u"Incandescent", 182, 103, 59, 10, kTabStop},
    {kNoId, Separator, u"", 7, 116, 371, 1, 0},
    {1060, Text, u"EV", 15, 125, 9, 8, kGroup},
    {1058, TrackBar, u"", 24, 135, 323, 39, kTabStop},
    {kNoId, Text, u"-2.0", 13, 165, 24, 8, kGroup},
    {kNoId, Text, u"+2.0", 347, 165, 24, 8, kGroup},
    {1059, Text, u"ev", 182, 178, 22, 8, kGroup},
    {kNoId, Text, u"-", 19, 142, 8, 8, kGroup},
    {kNoId, Text, u"+", 352, 142, 8, 8, kGroup},
    {1109, TrackBar, u"", 24, 223, 323, 24, kTabStop},
    {kNoId, Separator, u"", 7, 199, 369, 1, 0},
    {1111, Text, u"sharpness", 183, 250, 34, 8, kGroup},
    {1110, Text, u"Sharpness", 15, 205, 34, 8, kGroup},
    {kNoId, Text, u"Hard", 348, 231, 16, 8, kGroup},
    {kNoId, Text, u"Soft", 13, 231, 14, 8, kGroup},
};
}  // namespace

const DialogTemplate kImagePageTemplate{
    IDD_TAB_IMAGE, u"", u"MS Shell Dlg", 8, 567, 289, kControls};
