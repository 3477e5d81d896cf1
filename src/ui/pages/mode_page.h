#pragma once
// Tab 0, Mode Setting; template 129; CDlgTab1.
// The Mode page: the three recording modes.

#include "settings/settings_selection.h"
#include "ui/dialog/dialog.h"

namespace quillmar {

class CDlgTab1 : public CDialog {
public:
    // The page shows and changes the mode section of `selection`.
    explicit CDlgTab1(SettingsSelection& selection);

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    SettingsSelection& selection_;
};

}  // namespace quillmar
