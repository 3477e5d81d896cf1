#include "ui/new_cfg_dlg.h"

#include "ui/dialog/data_exchange.h"
#include "ui/templates/dialog_templates.h"

CDlgNewCFG::CDlgNewCFG() : CDialog(kNewProfileTemplate) {}

void CDlgNewCFG::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, 1063, typed_name_);
    DDX_Control(dx, 1063, name_edit_);
}

bool CDlgNewCFG::OnInitDialog() {
    CDialog::OnInitDialog();
    name_edit_.SetFocus();
    return false;  // the focus is set
}
