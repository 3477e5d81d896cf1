#pragma once
// The status line on Windows: a one-line static text at the main window's
// status area, its whole news and details in a tooltip.

#include "ui/dialog/dialog.h"
#include "ui/status_line.h"

namespace quillmar {

class StatusText : public StatusLine {
public:
    // Creates the text control `id` on `window` at `place` (dialog units).
    StatusText(CDialog& window, const ControlTemplate& place, int id);

    void ShowMessage(const std::string& text, Lasting lasting = Lasting::kUntilAnyChange) override;
    void ShowMessage(const std::string& text, const std::string& shorter, const std::string& details) override;
    void Clear() override;
    std::string Message() const override { return window_.ControlText(id_); }
    Lasting HowLong() const override { return lasting_; }

private:
    void Show(const std::string& shown, const std::string& tooltip, Lasting lasting);

    CDialog& window_;
    int id_;
    Lasting lasting_ = Lasting::kUntilAnyChange;
};

}  // namespace quillmar
