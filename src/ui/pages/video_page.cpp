// The Video page: recording choices and the microphone-volume slider with its label.
#include "ui/pages/video_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

#include <array>
#include <string>

namespace quillmar {

namespace {

std::string VolumeLabel(int position) {
    static constexpr std::array<const char*, 7> kLabels = {"Mute", "50%", "60%", "70%", "80%", "90%", "100%"};
    if (position < 0 || position >= static_cast<int>(kLabels.size())) return {};
    return kLabels[size_t(position)];
}

}  // namespace

CDlgTab2::CDlgTab2(SettingsSelection& selection) : CDialog(kVideoPageTemplate), selection_(selection) {
    On(IDC_MIC_VOLUME_SLIDER, Notification::kRedraw, [this] { OnVolumeRedraw(); });
}

void CDlgTab2::DoDataExchange(CDataExchange& dx) {
    DDX_Radio(dx, IDC_VIDEO_QUALITY_SFINE, selection_.At(keys::kVideoQuality));
    DDX_Radio(dx, IDC_FOV_WIDE, selection_.At(keys::kFov));
    DDX_Radio(dx, IDC_TIMELAPSE_OFF, selection_.At(keys::kTimelapse));
    DDX_Radio(dx, IDC_VIDEO_STAMP_OFF, selection_.At(keys::kVideoStamp));
    DDX_Slider(dx, IDC_MIC_VOLUME_SLIDER, selection_.At(keys::kMicVol));
    DDX_Control(dx, IDC_MIC_VOLUME_SLIDER, mic_slider_);
    DDX_Text(dx, IDC_MIC_VOLUME_TEXT, volume_label_);
    DDX_Radio(dx, IDC_AUTO_REC_OFF, selection_.At(keys::kAutoRec));
    DDX_Radio(dx, IDC_LOOP_REC_OFF, selection_.At(keys::kLoopRec));
    DDX_Radio(dx, IDC_REC_BEEP_OFF, selection_.At(keys::kRecBeep));
}

bool CDlgTab2::OnInitDialog() {
    CDialog::OnInitDialog();
    mic_slider_.SetRange(0, 6, false);
    mic_slider_.SetTicFreq(1);
    return true;
}

void CDlgTab2::OnVolumeRedraw() {
    UpdateData(true);
    volume_label_ = VolumeLabel(selection_.At(keys::kMicVol));
    UpdateData(false);
}

}  // namespace quillmar
