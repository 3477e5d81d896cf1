// The new-profile dialog: the name field, and a refused name kept open for correction.
#include "ui/new_cfg_dlg.h"

#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

namespace quillmar {

CDlgNewCFG::CDlgNewCFG() : CDialog(kNewProfileTemplate) {}

void CDlgNewCFG::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, IDC_PROFILE_NAME, typed_name_);
    DDX_Control(dx, IDC_PROFILE_NAME, name_edit_);
}

bool CDlgNewCFG::OnInitDialog() {
    CDialog::OnInitDialog();
    name_edit_.SetFocus();
    return false;  // the focus is set
}

void CDlgNewCFG::OnOK() {
    UpdateData(true);
    if (check_ && !check_(typed_name_)) {
        name_edit_.SetFocus();
        name_edit_.SelectAll();
        return;
    }
    EndDialog(IDOK);
}

}  // namespace quillmar
