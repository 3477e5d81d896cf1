// Template 131, the Image page.
#include "ui/templates/dialog_templates.h"

#include "ui/resource_ids.h"

namespace quillmar {

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {IDC_METER_LABEL, kText, u"Meter", 15, 18, 20, 8, kGroup},
    {IDC_METER_SPOT, kRadio, u"Spot", 15, 33, 31, 10, kRadioStart},
    {IDC_METER_MULTI, kRadio, u"Multi", 70, 33, 31, 10, kTabStop},
    {IDC_METER_CENTER, kRadio, u"Center", 126, 33, 38, 10, kTabStop},
    {kNoId, kSeparator, u"", 7, 46, 373, 1, 0},
    {IDC_ISO_LABEL, kText, u"ISO", 15, 52, 13, 8, kGroup},
    {IDC_ISO_AUTO, kRadio, u"Auto", 15, 68, 31, 10, kRadioStart},
    {IDC_ISO_100, kRadio, u"100", 70, 68, 28, 10, kTabStop},
    {IDC_ISO_200, kRadio, u"200", 126, 68, 28, 10, kTabStop},
    {IDC_ISO_400, kRadio, u"400", 181, 68, 28, 10, kTabStop},
    {IDC_ISO_800, kRadio, u"800", 233, 68, 28, 10, kTabStop},
    {IDC_ISO_1600, kRadio, u"1600", 284, 68, 32, 10, kTabStop},
    {kNoId, kSeparator, u"", 7, 81, 372, 1, 0},
    {IDC_WB_LABEL, kText, u"White Balance", 15, 87, 46, 8, kGroup},
    {IDC_WB_AUTO, kRadio, u"Auto", 15, 103, 31, 10, kRadioStart},
    {IDC_WB_CLOUDY, kRadio, u"Cloudy", 70, 103, 38, 10, kTabStop},
    {IDC_WB_DAYLIGHT, kRadio, u"Daylight", 126, 103, 42, 10, kTabStop},
    {IDC_WB_INCANDESCENT, kRadio, u"Incandescent", 182, 103, 59, 10, kTabStop},
    {kNoId, kSeparator, u"", 7, 116, 371, 1, 0},
    {IDC_EV_LABEL, kText, u"EV", 15, 125, 9, 8, kGroup},
    {IDC_EV_SLIDER, kTrackBar, u"", 24, 135, 323, 39, kTabStop},
    {kNoId, kText, u"-2.0", 13, 165, 24, 8, kGroup},
    {kNoId, kText, u"+2.0", 347, 165, 24, 8, kGroup},
    {IDC_EV_TEXT, kText, u"ev", 182, 178, 22, 8, kGroup},
    {kNoId, kText, u"-", 19, 142, 8, 8, kGroup},
    {kNoId, kText, u"+", 352, 142, 8, 8, kGroup},
    {IDC_SHARPNESS_SLIDER, kTrackBar, u"", 24, 223, 323, 24, kTabStop},
    {kNoId, kSeparator, u"", 7, 199, 369, 1, 0},
    {IDC_SHARPNESS_TEXT, kText, u"sharpness", 183, 250, 34, 8, kGroup},
    {IDC_SHARPNESS_LABEL, kText, u"Sharpness", 15, 205, 34, 8, kGroup},
    {kNoId, kText, u"Hard", 348, 231, 16, 8, kGroup},
    {kNoId, kText, u"Soft", 13, 231, 14, 8, kGroup},
    {IDC_ISO_HELD_NOTE, kText, u"", 330, 69, 120, 8, kGroup},
};
}  // namespace

const DialogTemplate kImagePageTemplate{IDD_TAB_IMAGE, u"", u"MS Shell Dlg", 8, 567, 289, kControls};

}  // namespace quillmar
