#pragma once
// The new-profile dialog (template 132): one edit field for the name, which
// has the focus when the dialog opens.

#include "ui/dialog/controls.h"
#include "ui/dialog/dialog.h"

#include <functional>
#include <string>

namespace quillmar {

class CDlgNewCFG : public CDialog {
public:
    CDlgNewCFG();
    // What was typed, as it was typed (UTF-8); valid after DoModal returned IDOK.
    const std::string& TypedName() const { return typed_name_; }
    // Runs on OK with the typed name; false (a refused name, already
    // explained to the user) keeps the dialog open with the name selected,
    // ready to be corrected.
    void SetNameCheck(std::function<bool(const std::string&)> check) { check_ = std::move(check); }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::string typed_name_;
    CEdit name_edit_;
    std::function<bool(const std::string&)> check_;
};

}  // namespace quillmar
