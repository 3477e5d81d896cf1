// Template 134, the System page.
#include "ui/templates/dialog_templates.h"

#include "ui/resource_ids.h"

namespace quillmar {

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {IDC_SYNC_CLOCK, kCheckBox, u"sync time and date", 27, 18, 77, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_1, kSeparator, u"", 15, 35, 423, 1, 0},
    {IDC_ROTATE_LABEL, kText, u"Image Rotate", 15, 42, 45, 8, kGroup},
    {IDC_ROTATE_NORMAL, kRadio, u"Normal", 27, 57, 38, 10, kRadioStart},
    {IDC_ROTATE_ROTATE_180, kRadio, u"Rotate 180°", 70, 57, 55, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_2, kSeparator, u"", 15, 72, 423, 1, 0},
    {IDC_TVMODE_LABEL, kText, u"TV Mode", 18, 79, 28, 8, kGroup},
    {IDC_TVMODE_NTSC, kRadio, u"NTSC", 27, 94, 33, 10, kRadioStart},
    {IDC_TVMODE_PAL, kRadio, u"PAL", 70, 94, 28, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_3, kSeparator, u"", 15, 108, 423, 1, 0},
    {IDC_LIGHTFREQ_LABEL, kText, u"Ligh Frequence", 19, 115, 50, 8, kGroup},
    {IDC_LIGHTFREQ_50HZ, kRadio, u"50Hz", 27, 131, 32, 10, kRadioStart},
    {IDC_LIGHTFREQ_60HZ, kRadio, u"60Hz", 70, 131, 32, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_4, kSeparator, u"", 15, 145, 423, 1, 0},
    {IDC_AUTO_SHUTDOWN_LABEL, kText, u"Auto Shutdown", 17, 153, 50, 8, kGroup},
    {IDC_AUTO_SHUTDOWN_OFF, kRadio, u"OFF", 27, 168, 29, 10, kRadioStart},
    {IDC_AUTO_SHUTDOWN_3_MIN, kRadio, u"3 Min", 70, 168, 33, 10, kTabStop},
    {IDC_AUTO_SHUTDOWN_5_MIN, kRadio, u"5 Min", 122, 168, 33, 10, kTabStop},
    {IDC_AUTO_SHUTDOWN_10_MIN, kRadio, u"10 Min", 178, 168, 37, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_5, kSeparator, u"", 15, 187, 423, 1, 0},
    {IDC_DATEFMT_LABEL, kText, u"Date Format", 16, 196, 41, 8, kGroup},
    {IDC_DATEFMT_YYYY_MM_DD_HH_MM_SS, kRadio, u"yyyy-MM-dd HH:mm:ss", 27, 212, 90, 10, kRadioStart},
    {IDC_DATEFMT_DD_MM_YYYY_HH_MM_SS, kRadio, u"dd-MM-yyyy HH:mm:ss", 129, 212, 90, 10, kTabStop},
    {IDC_DATEFMT_MM_DD_YYYY_HH_MM_SS, kRadio, u"MM-dd-yyyy HH:mm:ss", 256, 213, 90, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_6, kSeparator, u"", 15, 230, 423, 1, 0},
    {IDC_SHOW_OSD, kCheckBox, u"Show OSD", 151, 18, 49, 10, kTabStop | kHidden},
    {IDC_OSD_LABEL, kText, u"OSD", 16, 240, 15, 8, kGroup},
    {IDC_OSD_OFF, kRadio, u"OFF", 27, 255, 29, 10, kRadioStart},
    {IDC_OSD_ON, kRadio, u"ON", 70, 255, 26, 10, kTabStop},
    {IDC_FORMAT_CARD, kCheckBox, u"Format SD card", 266, 18, 65, 10, kTabStop},
    {IDC_OP_BEEP_LABEL, kText, u"Beep", 17, 276, 17, 8, kGroup},
    {IDC_OP_BEEP_OFF, kRadio, u"OFF", 27, 291, 29, 10, kRadioStart},
    {IDC_OP_BEEP_ON, kRadio, u"ON", 70, 291, 26, 10, kTabStop},
    {IDC_SYSTEM_SEPARATOR_7, kSeparator, u"", 15, 271, 423, 1, 0},
    {IDC_AUTO_SHUTDOWN_HELD_NOTE, kText, u"", 230, 169, 120, 8, kGroup},
};
}  // namespace

const DialogTemplate kSystemPageTemplate{IDD_TAB_SYSTEM, u"", u"MS Shell Dlg", 8, 518, 325, kControls};

}  // namespace quillmar
