#include "ui/templates/dialog_templates.h"

#include "ui/resource_ids.h"

namespace quillmar {

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {IDC_SYNC_CLOCK, CheckBox, u"sync time and date", 27, 18, 77, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_1, Separator, u"", 15, 35, 423, 1, 0},
    {IDC_ROTATE_LABEL, Text, u"Image Rotate", 15, 42, 45, 8, kGroup},
    {IDC_ROTATE_NORMAL, Radio, u"Normal", 27, 57, 38, 10, kRadioStart},
    {IDC_ROTATE_ROTATE_180, Radio, u"Rotate 180°", 70, 57, 55, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_2, Separator, u"", 15, 72, 423, 1, 0},
    {IDC_TVMODE_LABEL, Text, u"TV Mode", 18, 79, 28, 8, kGroup},
    {IDC_TVMODE_NTSC, Radio, u"NTSC", 27, 94, 33, 10, kRadioStart},
    {IDC_TVMODE_PAL, Radio, u"PAL", 70, 94, 28, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_3, Separator, u"", 15, 108, 423, 1, 0},
    {IDC_LIGHTFREQ_LABEL, Text, u"Ligh Frequence", 19, 115, 50, 8, kGroup},
    {IDC_LIGHTFREQ_50HZ, Radio, u"50Hz", 27, 131, 32, 10, kRadioStart},
    {IDC_LIGHTFREQ_60HZ, Radio, u"60Hz", 70, 131, 32, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_4, Separator, u"", 15, 145, 423, 1, 0},
    {IDC_AUTO_SHUTDOWN_LABEL, Text, u"Auto Shutdown", 17, 153, 50, 8, kGroup},
    {IDC_AUTO_SHUTDOWN_OFF, Radio, u"OFF", 27, 168, 29, 10, kRadioStart},
    {IDC_AUTO_SHUTDOWN_3_MIN, Radio, u"3 Min", 70, 168, 33, 10, kTabStop},
    {IDC_AUTO_SHUTDOWN_5_MIN, Radio, u"5 Min", 122, 168, 33, 10, kTabStop},
    {IDC_AUTO_SHUTDOWN_10_MIN, Radio, u"10 Min", 178, 168, 37, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_5, Separator, u"", 15, 187, 423, 1, 0},
    {IDC_DATEFMT_LABEL, Text, u"Date Format", 16, 196, 41, 8, kGroup},
    {IDC_DATEFMT_YYYY_MM_DD_HH_MM_SS, Radio, u"yyyy-MM-dd HH:mm:ss", 27, 212, 90, 10, kRadioStart},
    {IDC_DATEFMT_DD_MM_YYYY_HH_MM_SS, Radio, u"dd-MM-yyyy HH:mm:ss", 129, 212, 90, 10, kTabStop},
    {IDC_DATEFMT_MM_DD_YYYY_HH_MM_SS, Radio, u"MM-dd-yyyy HH:mm:ss", 256, 213, 90, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_6, Separator, u"", 15, 230, 423, 1, 0},
    {IDC_SHOW_OSD, CheckBox, u"Show OSD", 151, 18, 49, 10, kTabStop | kHidden},
    {IDC_OSD_LABEL, Text, u"OSD", 16, 240, 15, 8, kGroup},
    {IDC_OSD_OFF, Radio, u"OFF", 27, 255, 29, 10, kRadioStart},
    {IDC_OSD_ON, Radio, u"ON", 70, 255, 26, 10, kTabStop},
    {IDC_FORMAT_CARD, CheckBox, u"Format SD card", 266, 18, 65, 10, kTabStop},
    {IDC_OP_BEEP_LABEL, Text, u"Beep", 17, 276, 17, 8, kGroup},
    {IDC_OP_BEEP_OFF, Radio, u"OFF", 27, 291, 29, 10, kRadioStart},
    {IDC_OP_BEEP_ON, Radio, u"ON", 70, 291, 26, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_7, Separator, u"", 15, 271, 423, 1, 0},
};
}  // namespace

const DialogTemplate kSystemPageTemplate{
    IDD_TAB_SYSTEM, u"", u"MS Shell Dlg", 8, 518, 325, kControls};

}  // namespace quillmar
