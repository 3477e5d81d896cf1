// Template 133, the Photo page.
#include "ui/templates/dialog_templates.h"

#include "ui/resource_ids.h"

namespace quillmar {

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {IDC_PHOTO_QUALITY_SFINE, kRadio, u"SFine", 20, 32, 33, 10, kRadioStart},
    {IDC_PHOTO_QUALITY_FINE, kRadio, u"Fine", 65, 32, 29, 10, kTabStop},
    {IDC_PHOTO_QUALITY_NORMAL, kRadio, u"Normal", 112, 32, 38, 10, kTabStop},
    {IDC_AUTO_SHOOT_OFF, kRadio, u"OFF", 19, 73, 29, 10, kRadioStart},
    {IDC_AUTO_SHOOT_1_SECOND, kRadio, u"1 Second", 65, 73, 45, 10, 0},
    {IDC_AUTO_SHOOT_2_SECONDS, kRadio, u"2 Seconds", 121, 73, 49, 10, 0},
    {IDC_AUTO_SHOOT_3_SECONDS, kRadio, u"3 Seconds", 185, 73, 49, 10, kTabStop},
    {IDC_AUTO_SHOOT_5_SECONDS, kRadio, u"5 Seconds", 19, 90, 49, 10, kTabStop},
    {IDC_AUTO_SHOOT_10_SECONDS, kRadio, u"10 Seconds", 81, 90, 53, 10, kTabStop},
    {IDC_AUTO_SHOOT_30_SECONDS, kRadio, u"30 Seconds", 150, 90, 53, 10, kTabStop},
    {IDC_AUTO_SHOOT_60_SECONDS, kRadio, u"60 Seconds", 222, 90, 53, 10, kTabStop},
    {IDC_PHOTO_STAMP_OFF, kRadio, u"OFF", 17, 133, 29, 10, kRadioStart},
    {IDC_PHOTO_STAMP_TIME, kRadio, u"Time", 73, 133, 31, 10, kTabStop},
    {IDC_PHOTO_STAMP_DATE, kRadio, u"Date", 129, 133, 31, 10, kTabStop},
    {IDC_PHOTO_STAMP_DATE_AND_TIME, kRadio, u"Date& and Time", 179, 133, 62, 10, kTabStop},
    {IDC_BURST_OFF, kRadio, u"OFF", 17, 183, 29, 10, kRadioStart},
    {IDC_BURST_3_P, kRadio, u"3 P", 73, 183, 26, 10, kTabStop},
    {IDC_BURST_5_P, kRadio, u"5 P", 129, 183, 26, 10, kTabStop},
    {IDC_BURST_10_P, kRadio, u"10 P", 179, 183, 30, 10, kTabStop},
    {IDC_BURST_20_P, kRadio, u"20 P", 237, 183, 30, 10, kTabStop | kHidden},
    {IDC_BURST_LABEL, kText, u"Burst", 19, 160, 18, 8, kGroup},
    {IDC_PHOTO_SEPARATOR_1, kSeparator, u"", 19, 49, 425, 1, 0},
    {IDC_PHOTO_SEPARATOR_2, kSeparator, u"", 19, 109, 423, 1, 0},
    {IDC_AUTO_SHOOT_LABEL, kText, u"Auto Shoot", 21, 57, 37, 8, kGroup},
    {IDC_PHOTO_STAMP_LABEL, kText, u"Photo Stamp", 19, 117, 42, 8, kGroup},
    {IDC_PHOTO_QUALITY_LABEL, kText, u"Photo Quality", 21, 17, 44, 8, kGroup},
    {IDC_PHOTO_SEPARATOR_3, kSeparator, u"", 19, 151, 423, 1, 0},
    {IDC_BURST_HELD_NOTE, kText, u"", 280, 184, 120, 8, kGroup},
};
}  // namespace

const DialogTemplate kPhotoPageTemplate{IDD_TAB_PHOTO, u"", u"MS Shell Dlg", 8, 524, 292, kControls};

}  // namespace quillmar
