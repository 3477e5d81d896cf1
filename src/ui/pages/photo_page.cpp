#include "ui/pages/photo_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/templates/dialog_templates.h"

#include <array>

namespace {

// "1 Second" (1107) and "2 Seconds" (1108) are left out on purpose: a click
// on them only selects them, and a burst does not disable them.
constexpr std::array kAutoShootRadios = {1043, 1044, 1045, 1046, 1047, 1048};
// In template order; the hidden "20 P" (1093) is enabled and disabled too.
constexpr std::array kBurstRadios = {1090, 1091, 1089, 1092, 1093};

}  // namespace

CDlgTab4::CDlgTab4(SettingsSelection& selection) : CDialog(kPhotoPageTemplate), selection_(selection) {
    for (const int id : kBurstRadios) On(id, Notification::Clicked, [this] { OnBurstClicked(); });
    for (const int id : kAutoShootRadios) On(id, Notification::Clicked, [this] { OnAutoShootClicked(); });
}

void CDlgTab4::DoDataExchange(CDataExchange& dx) {
    DDX_Radio(dx, 1036, selection_.at(keys::photo_quality));
    DDX_Radio(dx, 1043, selection_.at(keys::auto_shoot));
    DDX_Radio(dx, 1052, selection_.at(keys::photo_stamp));
    DDX_Radio(dx, 1090, selection_.at(keys::photo_burst));
}

void CDlgTab4::EnableControls(std::span<const int> ids, bool enable) {
    for (const int id : ids) GetDlgItem(id)->setEnabled(enable);
}

void CDlgTab4::OnBurstClicked() {
    UpdateData(true);
    uint8_t& flags = selection_.photo_lock_flags;
    if (selection_.at(keys::photo_burst) != 0) {
        EnableControls(kAutoShootRadios, false);
        flags = static_cast<uint8_t>((flags & ~shoot_lock) | burst_lock);
    } else {
        EnableControls(kAutoShootRadios, true);
        flags = static_cast<uint8_t>(flags & ~shoot_lock);
    }
}

void CDlgTab4::OnAutoShootClicked() {
    UpdateData(true);
    uint8_t& flags = selection_.photo_lock_flags;
    if (selection_.at(keys::auto_shoot) != 0) {
        EnableControls(kBurstRadios, false);
        flags = static_cast<uint8_t>((flags & ~burst_lock) | shoot_lock);
    } else {
        EnableControls(kBurstRadios, true);
        flags = static_cast<uint8_t>(flags & ~burst_lock);
    }
}
