// The System page: the clock box, the system choices and the "Format SD card" box.
#include "ui/pages/system_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

namespace quillmar {

CDlgTab5::CDlgTab5(SettingsSelection& selection) : CHoldingPage(kSystemPageTemplate), selection_(selection) {}

void CDlgTab5::DoDataExchange(CDataExchange& dx) {
    DDX_Check(dx, IDC_SYNC_CLOCK, selection_.clock_sync);
    DDX_Radio(dx, IDC_ROTATE_NORMAL, selection_.At(keys::kImageRotate));
    DDX_Radio(dx, IDC_TVMODE_NTSC, selection_.At(keys::kTvmode));
    DDX_Radio(dx, IDC_LIGHTFREQ_50HZ, selection_.At(keys::kLightfreq));
    ExchangeHeldRadio(dx, IDC_AUTO_SHUTDOWN_OFF, IDC_AUTO_SHUTDOWN_HELD_NOTE, keys::kAutoShutdown,
                      selection_.At(keys::kAutoShutdown));
    DDX_Radio(dx, IDC_DATEFMT_YYYY_MM_DD_HH_MM_SS, selection_.At(keys::kDatefmt));
    DDX_Radio(dx, IDC_OSD_OFF, selection_.At(keys::kOsd));
    DDX_Check(dx, IDC_FORMAT_CARD, selection_.At(keys::kFormat));
    DDX_Radio(dx, IDC_OP_BEEP_OFF, selection_.At(keys::kOpBeep));
}

}  // namespace quillmar
