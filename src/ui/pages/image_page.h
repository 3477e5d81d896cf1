#pragma once
// Tab 4, Image Setting; template 131; CDlgTab3.
// The Image page: metering, ISO (keeping an ISO it has no radio for),
// white balance, and the EV and sharpness sliders with their live labels.

#include "settings/settings_selection.h"
#include "ui/dialog/controls.h"
#include "ui/pages/holding_page.h"

#include <string>

namespace quillmar {

class CDlgTab3 : public CHoldingPage {
public:
    explicit CDlgTab3(SettingsSelection& selection);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnEvRedraw();
    void OnSharpnessRedraw();

    SettingsSelection& selection_;
    std::string ev_label_;
    CSliderCtrl ev_slider_;
    CSliderCtrl sharpness_slider_;
    std::string sharpness_label_;
};

}  // namespace quillmar
