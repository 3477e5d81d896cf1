// CDialog, the part every system shares: the message map, UpdateData with
// its deferred redraws, and the default answers to OK, Cancel and Close.
// Creating the window, its controls and the constructor and destructor
// (which need the system's NativeDialog whole) live in dialog_qt.cpp or
// dialog_win32.cpp.
#include "ui/dialog/dialog.h"

#include "ui/dialog/data_exchange.h"

#include <algorithm>
#include <utility>

void CDialog::On(int id, Notification code, std::function<void()> handler) {
    routes_.push_back({id, code, std::move(handler)});
}

void CDialog::Notify(int id, Notification code) {
    // The window is on its way out: nothing it reports reaches the handlers.
    if (!native_) return;
    if (code == Notification::kRedraw) {
        // A redraw never runs in the middle of an exchange (the handler would
        // read half-pushed controls), and never inside another redraw.
        if (exchange_depth_ > 0) {
            if (std::find(pending_redraws_.begin(), pending_redraws_.end(), id) == pending_redraws_.end())
                pending_redraws_.push_back(id);
            return;
        }
        if (redrawing_) return;
    }
    bool handled = false;
    // By index, and each handler copied: a handler may add routes (a page's
    // first push does), which moves the vector.
    for (size_t i = 0; i < routes_.size(); ++i) {
        if (routes_[i].id != id || routes_[i].code != code) continue;
        const std::function<void()> handler = routes_[i].handler;
        redrawing_ = code == Notification::kRedraw;
        handler();
        redrawing_ = false;
        handled = true;
    }
    if (!handled && code == Notification::kClicked && (id == IDOK || id == IDCANCEL)) {
        id == IDOK ? OnOK() : OnCancel();
    }
}

void CDialog::OnCommand(int id) { Notify(id, Notification::kClicked); }

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(*this, saveAndValidate);
    ++exchange_depth_;
    DoDataExchange(dx);
    --exchange_depth_;
    if (exchange_depth_ == 0) FlushRedraws();
    return true;
}

void CDialog::FlushRedraws() {
    const std::vector<int> ids = std::exchange(pending_redraws_, {});
    for (const int id : ids) Notify(id, Notification::kRedraw);
}

std::vector<int> CDialog::RadioGroupFrom(int firstId) const {
    std::vector<int> ids;
    const auto& controls = template_.controls;
    const auto first =
        std::find_if(controls.begin(), controls.end(), [firstId](const ControlTemplate& c) { return c.id == firstId; });
    for (auto c = first; c != controls.end(); ++c) {
        if (c != first && c->Group()) break;
        if (c->kind == ControlKind::kRadio) ids.push_back(c->id);
    }
    return ids;
}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { OnCancel(); }

void CDialog::OnContextMenu(int, int) {}
