#pragma once
// Tab 3, System Setting; template 134; CDlgTab5.
// The System page: the clock box, the system choices (keeping an
// auto-shutdown time it has no radio for) and the "Format SD card" box.

#include "settings/settings_selection.h"
#include "ui/pages/holding_page.h"

namespace quillmar {

class CDlgTab5 : public CHoldingPage {
public:
    explicit CDlgTab5(SettingsSelection& selection);

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    SettingsSelection& selection_;
};

}  // namespace quillmar
