// The Mode page: the three recording-mode radios.
#include "ui/pages/mode_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

namespace quillmar {

CDlgTab1::CDlgTab1(SettingsSelection& selection) : CDialog(kModePageTemplate), selection_(selection) {}

void CDlgTab1::DoDataExchange(CDataExchange& dx) {
    DDX_Radio(dx, IDC_MODE1_2304X1296P_30, selection_.At(keys::kMode1));
    DDX_Radio(dx, IDC_MODE2_1280X720_120, selection_.At(keys::kMode2));
    DDX_Radio(dx, IDC_MODE3_16M_4608X3456_4_3, selection_.At(keys::kMode3));
}

}  // namespace quillmar
