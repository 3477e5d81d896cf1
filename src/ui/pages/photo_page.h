#pragma once
// Tab 2, Photo Setting; template 133; CDlgTab4.
// The Photo page: photo choices, and the burst and auto-shoot groups, which
// exclude each other (SettingsSelection::Choose): the one chosen last is on,
// the other shows OFF and is disabled. The page always shows what "Set"
// writes, from its first push.

#include "settings/settings_selection.h"
#include "ui/pages/holding_page.h"

#include <span>

namespace quillmar {

class CDlgTab4 : public CHoldingPage {
public:
    explicit CDlgTab4(SettingsSelection& selection);

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    // A click on a radio of the burst or the auto-shoot group.
    void OnPhotoGroupClicked(SettingsKeyRef key);
    // Before every push: burst and auto-shoot settled as "Set" settles
    // them, and a group disabled while the other one, chosen last, is on.
    void ShowWhatSetWrites();
    void EnableControls(std::span<const int> ids, bool enable);

    SettingsSelection& selection_;
};

}  // namespace quillmar
