// Template 130, the Video page.
#include "ui/templates/dialog_templates.h"

#include "ui/resource_ids.h"

namespace quillmar {

namespace {
using enum ControlKind;
constexpr unsigned kRadioStart = kGroup | kTabStop;

constexpr ControlTemplate kControls[] = {
    {IDC_VIDEO_QUALITY_SFINE, kRadio, u"SFine", 22, 33, 33, 10, kRadioStart},
    {IDC_VIDEO_QUALITY_FINE, kRadio, u"Fine", 77, 33, 29, 10, kTabStop},
    {IDC_VIDEO_QUALITY_NORMAL, kRadio, u"Normal", 133, 33, 38, 10, kTabStop},
    {IDC_FOV_WIDE, kRadio, u"Wide", 21, 72, 32, 10, kRadioStart},
    {IDC_FOV_NORMAL, kRadio, u"Normal", 77, 72, 38, 10, kTabStop},
    {IDC_FOV_NARROW, kRadio, u"Narrow", 133, 72, 39, 10, kTabStop},
    {IDC_TIMELAPSE_OFF, kRadio, u"OFF", 21, 111, 29, 10, kRadioStart},
    {IDC_TIMELAPSE_1_SECONDS, kRadio, u"1 Seconds", 77, 111, 49, 10, kTabStop},
    {IDC_TIMELAPSE_2_SECONDS, kRadio, u"2 Seconds", 133, 111, 49, 10, kTabStop},
    {IDC_TIMELAPSE_5_SECONDS, kRadio, u"5 Seconds", 186, 111, 49, 10, kTabStop},
    {IDC_TIMELAPSE_10_SECONDS, kRadio, u"10 Seconds", 21, 128, 53, 10, kTabStop},
    {IDC_TIMELAPSE_30_SECONDS, kRadio, u"30 Seconds", 77, 128, 53, 10, kTabStop},
    {IDC_TIMELAPSE_60_SECONDS, kRadio, u"60 Seconds", 133, 128, 53, 10, kTabStop},
    {IDC_VIDEO_STAMP_OFF, kRadio, u"OFF", 20, 172, 29, 10, kRadioStart},
    {IDC_VIDEO_STAMP_TIME, kRadio, u"Time", 77, 172, 31, 10, kTabStop},
    {IDC_VIDEO_STAMP_DATE, kRadio, u"Date", 131, 172, 31, 10, kTabStop},
    {IDC_VIDEO_STAMP_DATE_AND_TIME, kRadio, u"Date& and Time", 182, 172, 62, 10, kTabStop},
    {IDC_VIDEO_VIDEO_QUALITY_LABEL, kText, u"Video Quality", 23, 18, 43, 8, kGroup},
    {IDC_VIDEO_FOV_LABEL, kText, u"Fov", 23, 56, 13, 8, kGroup},
    {IDC_VIDEO_TIMELAPSE_LABEL, kText, u"Timelapse", 21, 95, 32, 8, kGroup},
    {IDC_VIDEO_SEPARATOR_1, kSeparator, u"", 21, 50, 277, 1, 0},
    {IDC_VIDEO_SEPARATOR_2, kSeparator, u"", 21, 88, 277, 1, 0},
    {IDC_VIDEO_VIDEO_STAMP_LABEL, kText, u"Video Stamp", 21, 156, 40, 8, kGroup},
    {IDC_VIDEO_SEPARATOR_3, kSeparator, u"", 19, 150, 277, 1, 0},
    {IDC_VIDEO_SEPARATOR_4, kSeparator, u"", 20, 188, 277, 1, 0},
    {IDC_MIC_VOLUME_LABEL, kText, u"Microphone Volume", 355, 56, 62, 8, kGroup},
    {IDC_MIC_VOLUME_SLIDER, kTrackBar, u"", 388, 69, 221, 28, kTabStop},
    {IDC_MIC_VOLUME_MUTE_LABEL, kText, u"Mute", 364, 77, 17, 8, kGroup},
    {IDC_MIC_VOLUME_FULL_LABEL, kText, u"100%", 607, 77, 20, 8, kGroup},
    {IDC_MIC_VOLUME_TEXT, kText, u"volume", 485, 100, 30, 16, kGroup},
    {IDC_VIDEO_SEPARATOR_5, kSeparator, u"", 21, 225, 277, 1, 0},
    {IDC_VIDEO_AUTO_RECORD_LABEL, kText, u"Auto Record", 22, 194, 41, 8, kGroup},
    {IDC_AUTO_REC_OFF, kRadio, u"OFF", 20, 209, 29, 10, kRadioStart},
    {IDC_AUTO_REC_ON, kRadio, u"ON", 77, 209, 26, 10, kTabStop},
    {IDC_VIDEO_LOOP_RECORD_LABEL, kText, u"Loop Record", 22, 233, 41, 8, kGroup},
    {IDC_LOOP_REC_OFF, kRadio, u"OFF", 20, 249, 29, 10, kRadioStart},
    {IDC_LOOP_REC_2_MIN, kRadio, u"2 Min", 77, 249, 33, 10, kTabStop},
    {IDC_LOOP_REC_3_MIN, kRadio, u"3 Min", 128, 249, 33, 10, kTabStop},
    {IDC_LOOP_REC_5_MIN, kRadio, u"5 Min", 183, 249, 33, 10, kTabStop},
    {kNoId, kText, u"Record Beep", 355, 18, 42, 8, kGroup},
    {IDC_REC_BEEP_OFF, kRadio, u"OFF", 355, 33, 29, 10, kRadioStart},
    {IDC_REC_BEEP_5_MIN, kRadio, u"5 Min", 410, 33, 33, 10, kTabStop},
    {IDC_REC_BEEP_10_MIN, kRadio, u"10 Min", 474, 33, 37, 10, kTabStop},
    {IDC_REC_BEEP_15_MIN, kRadio, u"15 Min", 540, 33, 37, 10, kTabStop},
    {IDC_VIDEO_SEPARATOR_6, kSeparator, u"", 354, 49, 275, 2, 0},
};
}  // namespace

const DialogTemplate kVideoPageTemplate{IDD_TAB_VIDEO, u"", u"MS Shell Dlg", 8, 652, 356, kControls};

}  // namespace quillmar
