#include "ui/pages/system_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/templates/dialog_templates.h"

CDlgTab5::CDlgTab5(SettingsSelection& selection) : CDialog(kSystemPageTemplate), selection_(selection) {}

void CDlgTab5::DoDataExchange(CDataExchange& dx) {
    DDX_Check(dx, 1061, selection_.clock_sync);
    DDX_Radio(dx, 1042, selection_.at(keys::image_rotate));
    DDX_Radio(dx, 1069, selection_.at(keys::tvmode));
    DDX_Radio(dx, 1072, selection_.at(keys::lightfreq));
    DDX_Radio(dx, 1044, selection_.at(keys::auto_shutdown));
    DDX_Radio(dx, 1076, selection_.at(keys::datefmt));
    DDX_Radio(dx, 1096, selection_.at(keys::osd));
    DDX_Check(dx, 1099, selection_.at(keys::format));
    DDX_Radio(dx, 1100, selection_.at(keys::op_beep));
}
