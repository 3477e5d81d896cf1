// The About box.
#include "ui/about_dlg.h"

#include "ui/templates/dialog_templates.h"

namespace quillmar {

CAboutDlg::CAboutDlg() : CDialog(kAboutBoxTemplate) {}

}  // namespace quillmar
