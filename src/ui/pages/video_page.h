#pragma once
// Tab 1, Video Setting; template 130; CDlgTab2.
// The Video page: recording choices and the microphone volume slider with
// its live label.

#include "settings/settings_selection.h"
#include "ui/dialog/controls.h"
#include "ui/dialog/dialog.h"

#include <string>

namespace quillmar {

class CDlgTab2 : public CDialog {
public:
    explicit CDlgTab2(SettingsSelection& selection);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnVolumeRedraw();

    SettingsSelection& selection_;
    CSliderCtrl mic_slider_;
    std::string volume_label_;
};

}  // namespace quillmar
