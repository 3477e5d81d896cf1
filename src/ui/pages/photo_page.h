#pragma once
// Tab 2, Photo Setting; template 133; CDlgTab4.
// The Photo page: photo choices, and the interlock between the burst and
// auto-shoot groups that records in photo_lock_flags which of the two was
// turned on last. The page always shows what "Set" writes: a group the lock
// writes as off shows OFF and is disabled.

#include "settings/settings_selection.h"
#include "ui/dialog/dialog.h"

#include <span>

namespace quillmar {

class CDlgTab4 : public CDialog {
public:
    explicit CDlgTab4(SettingsSelection& selection);

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    void OnBurstClicked();
    void OnAutoShootClicked();
    // Before every push: the locked group's member becomes OFF, and each
    // group is enabled unless the other one locks it.
    void ShowWhatSetWrites();
    void EnableControls(std::span<const int> ids, bool enable);

    SettingsSelection& selection_;
};

}  // namespace quillmar
