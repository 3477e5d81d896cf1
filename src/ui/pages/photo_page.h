#pragma once
// Photo page (template 133): photo choices, and the interlock between the
// burst and auto-shoot groups that records in photo_lock_flags which of
// the two was turned on last.

#include "settings/settings_selection.h"
#include "ui/dialog/dialog.h"

#include <span>

class CDlgTab4 : public CDialog {
public:
    explicit CDlgTab4(SettingsSelection& selection);

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void OnBurstClicked();
    void OnAutoShootClicked();
    void EnableControls(std::span<const int> ids, bool enable);

    SettingsSelection& selection_;
};
