#pragma once
// The About box (template 100), opened from the window menu.

#include "ui/dialog/dialog.h"

namespace quillmar {

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};

}  // namespace quillmar
