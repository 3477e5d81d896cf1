#include "ui/about_dlg.h"

#include "ui/templates/dialog_templates.h"

CAboutDlg::CAboutDlg() : CDialog(kAboutBoxTemplate) {}
