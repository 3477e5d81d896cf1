#include "ui/pages/mode_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/templates/dialog_templates.h"

CDlgTab1::CDlgTab1(SettingsSelection& selection) : CDialog(kModePageTemplate), selection_(selection) {}

void CDlgTab1::DoDataExchange(CDataExchange& dx) {
    DDX_Radio(dx, 1007, selection_.at(keys::mode_1));
    DDX_Radio(dx, 1010, selection_.at(keys::mode_2));
    DDX_Radio(dx, 1016, selection_.at(keys::mode_3));
}
