#include "ui/pages/system_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/templates/dialog_templates.h"
#include "ui/resource_ids.h"

namespace quillmar {

CDlgTab5::CDlgTab5(SettingsSelection& selection) : CDialog(kSystemPageTemplate), selection_(selection) {}

void CDlgTab5::DoDataExchange(CDataExchange& dx) {
    DDX_Check(dx, IDC_SYNC_CLOCK, selection_.clock_sync);
    DDX_Radio(dx, IDC_ROTATE_NORMAL, selection_.at(keys::image_rotate));
    DDX_Radio(dx, IDC_TVMODE_NTSC, selection_.at(keys::tvmode));
    DDX_Radio(dx, IDC_LIGHTFREQ_50HZ, selection_.at(keys::lightfreq));
    DDX_Radio(dx, IDC_AUTO_SHUTDOWN_OFF, selection_.at(keys::auto_shutdown));
    DDX_Radio(dx, IDC_DATEFMT_YYYY_MM_DD_HH_MM_SS, selection_.at(keys::datefmt));
    DDX_Radio(dx, IDC_OSD_OFF, selection_.at(keys::osd));
    DDX_Check(dx, IDC_FORMAT_CARD, selection_.at(keys::format));
    DDX_Radio(dx, IDC_OP_BEEP_OFF, selection_.at(keys::op_beep));
}

}  // namespace quillmar
