#pragma once
// The new-profile dialog (template 132): one edit field for the name, which
// has the focus when the dialog opens.

#include "ui/dialog/controls.h"
#include "ui/dialog/dialog.h"

class CDlgNewCFG : public CDialog {
public:
    CDlgNewCFG();
    // What was typed, as it was typed; valid after DoModal returned IDOK.
    const QString& typedName() const { return typed_name_; }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    QString typed_name_;
    CEdit name_edit_;
};
