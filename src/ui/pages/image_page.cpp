// The Image page: metering, ISO, white balance, and the EV and sharpness sliders with their labels.
#include "ui/pages/image_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

#include <array>
#include <string>

namespace quillmar {

namespace {

// The centre reads "0", not the "0.0" the settings file gets.
std::string EvLabel(int position) {
    static constexpr std::array<const char*, 13> kLabels = {"-2.0", "-1.7", "-1.3", "-1.0", "-0.7", "-0.3", "0",
                                                            "+0.3", "+0.7", "+1.0", "+1.3", "+1.7", "+2.0"};
    if (position < 0 || position >= static_cast<int>(kLabels.size())) return {};
    return kLabels[size_t(position)];
}

std::string SharpnessLabel(int position) { return std::to_string(position + 1); }

}  // namespace

CDlgTab3::CDlgTab3(SettingsSelection& selection) : CHoldingPage(kImagePageTemplate), selection_(selection) {
    On(IDC_EV_SLIDER, Notification::kRedraw, [this] { OnEvRedraw(); });
    On(IDC_SHARPNESS_SLIDER, Notification::kRedraw, [this] { OnSharpnessRedraw(); });
}

void CDlgTab3::DoDataExchange(CDataExchange& dx) {
    DDX_Radio(dx, IDC_METER_SPOT, selection_.At(keys::kImageMeter));
    ExchangeHeldRadio(dx, IDC_ISO_AUTO, IDC_ISO_HELD_NOTE, keys::kImageIso, selection_.At(keys::kImageIso));
    DDX_Radio(dx, IDC_WB_AUTO, selection_.At(keys::kImageWb));
    DDX_Control(dx, IDC_EV_SLIDER, ev_slider_);
    DDX_Text(dx, IDC_EV_TEXT, ev_label_);
    DDX_Slider(dx, IDC_EV_SLIDER, selection_.At(keys::kImageEv));
    DDX_Slider(dx, IDC_SHARPNESS_SLIDER, selection_.At(keys::kImageSharpness));
    DDX_Control(dx, IDC_SHARPNESS_SLIDER, sharpness_slider_);
    DDX_Text(dx, IDC_SHARPNESS_TEXT, sharpness_label_);
}

bool CDlgTab3::OnInitDialog() {
    CHoldingPage::OnInitDialog();
    ev_slider_.SetRange(0, 12, false);
    ev_slider_.SetTic(1);
    ev_slider_.SetTicFreq(1);
    sharpness_slider_.SetRange(0, 4, false);
    sharpness_slider_.SetTic(1);
    sharpness_slider_.SetTicFreq(1);
    return true;
}

void CDlgTab3::OnEvRedraw() {
    UpdateData(true);
    ev_label_ = EvLabel(ev_slider_.GetPos());
    UpdateData(false);
}

void CDlgTab3::OnSharpnessRedraw() {
    UpdateData(true);
    sharpness_label_ = SharpnessLabel(selection_.At(keys::kImageSharpness));
    UpdateData(false);
}

}  // namespace quillmar
