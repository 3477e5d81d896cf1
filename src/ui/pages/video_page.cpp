#include "ui/pages/video_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/templates/dialog_templates.h"

#include <array>

namespace {

QString VolumeLabel(int position) {
    static constexpr std::array<const char16_t*, 7> kLabels = {u"Mute", u"50%", u"60%", u"70%",
                                                               u"80%",  u"90%", u"100%"};
    if (position < 0 || position >= static_cast<int>(kLabels.size())) return {};
    return QString::fromUtf16(kLabels[position]);
}

}  // namespace

CDlgTab2::CDlgTab2(SettingsSelection& selection) : CDialog(kVideoPageTemplate), selection_(selection) {
    On(1079, Notification::Redraw, [this] { OnVolumeRedraw(); });
}

void CDlgTab2::DoDataExchange(CDataExchange& dx) {
    DDX_Radio(dx, 1012, selection_.at(keys::video_quality));
    DDX_Radio(dx, 1015, selection_.at(keys::fov));
    DDX_Radio(dx, 1018, selection_.at(keys::timelapse));
    DDX_Radio(dx, 1027, selection_.at(keys::video_stamp));
    DDX_Slider(dx, 1079, selection_.at(keys::mic_vol));
    DDX_Control(dx, 1079, mic_slider_);
    DDX_Text(dx, 1084, volume_label_);
    DDX_Radio(dx, 1042, selection_.at(keys::auto_rec));
    DDX_Radio(dx, 1044, selection_.at(keys::loop_rec));
    DDX_Radio(dx, 1103, selection_.at(keys::rec_beep));
}

bool CDlgTab2::OnInitDialog() {
    CDialog::OnInitDialog();
    mic_slider_.SetRange(0, 6, false);
    mic_slider_.SetTicFreq(1);
    return true;
}

void CDlgTab2::OnVolumeRedraw() {
    UpdateData(true);
    volume_label_ = VolumeLabel(selection_.at(keys::mic_vol));
    UpdateData(false);
}
