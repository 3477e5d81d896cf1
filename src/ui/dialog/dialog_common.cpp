// CDialog's part that is the same on every system: the message map, UpdateData, the default handlers and
// the radio groups read from the template.
#include "ui/dialog/data_exchange.h"
#include "ui/dialog/dialog.h"

#include <algorithm>
#include <utility>

void CDialog::On(int id, Notification code, std::function<void()> handler) {
    routes_.push_back({id, code, std::move(handler)});
}

void CDialog::Notify(int id, Notification code) {
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
    bool routed = false;
    for (const Route& route : routes_) {
        if (route.id != id || route.code != code) continue;
        routed = true;
        redrawing_ = code == Notification::kRedraw;
        route.handler();
        redrawing_ = false;
    }
    if (!routed && code == Notification::kClicked && (id == IDOK || id == IDCANCEL)) {
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

std::vector<int> CDialog::RadioGroupFrom(int firstId) const {
    std::vector<int> ids;
    const auto controls = template_.controls;
    auto it = std::find_if(controls.begin(), controls.end(),
                           [firstId](const ControlTemplate& c) { return c.id == firstId && firstId != kNoId; });
    for (auto c = it; c != controls.end(); ++c) {
        if (c != it && c->Group()) break;
        if (c->kind == ControlKind::kRadio) ids.push_back(c->id);
    }
    return ids;
}
