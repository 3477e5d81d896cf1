// The Photo page: burst and auto-shoot radios and the locks between them.
#include "ui/pages/photo_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

#include <array>

namespace quillmar {

namespace {

// The intervals whose click runs the auto-shoot handler: every one but
// "1 Second" and "2 Seconds", whose click only selects them.
constexpr std::array kAutoShootClickRadios = {IDC_AUTO_SHOOT_OFF,        IDC_AUTO_SHOOT_3_SECONDS,
                                              IDC_AUTO_SHOOT_5_SECONDS,  IDC_AUTO_SHOOT_10_SECONDS,
                                              IDC_AUTO_SHOOT_30_SECONDS, IDC_AUTO_SHOOT_60_SECONDS};
constexpr std::array kShortIntervalRadios = {IDC_AUTO_SHOOT_1_SECOND, IDC_AUTO_SHOOT_2_SECONDS};
// Every auto-shoot radio: a burst lock disables them all, since "Set"
// writes any of them as off.
constexpr std::array kAutoShootRadios = {IDC_AUTO_SHOOT_OFF,        IDC_AUTO_SHOOT_1_SECOND,  IDC_AUTO_SHOOT_2_SECONDS,
                                         IDC_AUTO_SHOOT_3_SECONDS,  IDC_AUTO_SHOOT_5_SECONDS, IDC_AUTO_SHOOT_10_SECONDS,
                                         IDC_AUTO_SHOOT_30_SECONDS, IDC_AUTO_SHOOT_60_SECONDS};
// In template order; the hidden "20 P" is enabled and disabled too.
constexpr std::array kBurstRadios = {IDC_BURST_OFF, IDC_BURST_3_P, IDC_BURST_5_P, IDC_BURST_10_P, IDC_BURST_20_P};

}  // namespace

CDlgTab4::CDlgTab4(SettingsSelection& selection) : CDialog(kPhotoPageTemplate), selection_(selection) {
    for (const int id : kBurstRadios) On(id, Notification::kClicked, [this] { OnBurstClicked(); });
    for (const int id : kAutoShootClickRadios) On(id, Notification::kClicked, [this] { OnAutoShootClicked(); });
    // No lock changes here; the page only shows again what "Set" writes.
    for (const int id : kShortIntervalRadios) {
        On(id, Notification::kClicked, [this] {
            UpdateData(true);
            UpdateData(false);
        });
    }
}

void CDlgTab4::DoDataExchange(CDataExchange& dx) {
    if (!dx.SaveAndValidate()) ShowWhatSetWrites();
    DDX_Radio(dx, IDC_PHOTO_QUALITY_SFINE, selection_.At(keys::kPhotoQuality));
    DDX_Radio(dx, IDC_AUTO_SHOOT_OFF, selection_.At(keys::kAutoShoot));
    DDX_Radio(dx, IDC_PHOTO_STAMP_OFF, selection_.At(keys::kPhotoStamp));
    DDX_Radio(dx, IDC_BURST_OFF, selection_.At(keys::kPhotoBurst));
}

void CDlgTab4::ShowWhatSetWrites() {
    // The camera file's rule: a lock writes the other group as off while
    // the locking group is on. The page takes those values, so that it
    // shows (and a profile saved from it keeps) what the card gets.
    int& shoot = selection_.At(keys::kAutoShoot);
    int& burst = selection_.At(keys::kPhotoBurst);
    const uint8_t flags = selection_.photo_lock_flags;
    const bool burstLocksShoot = (flags & kBurstLock) && burst != 0;
    const bool shootLocksBurst = (flags & kShootLock) && shoot != 0;
    if (burstLocksShoot) shoot = 0;
    if (shootLocksBurst) burst = 0;
    EnableControls(kAutoShootRadios, !((flags & kBurstLock) && burst != 0));
    EnableControls(kBurstRadios, !((flags & kShootLock) && shoot != 0));
}

void CDlgTab4::EnableControls(std::span<const int> ids, bool enable) {
    for (const int id : ids) GetDlgItem(id)->setEnabled(enable);
}

void CDlgTab4::OnBurstClicked() {
    UpdateData(true);
    uint8_t& flags = selection_.photo_lock_flags;
    if (selection_.At(keys::kPhotoBurst) != 0) {
        flags = static_cast<uint8_t>((flags & ~kShootLock) | kBurstLock);
    } else {
        flags = static_cast<uint8_t>(flags & ~kShootLock);
    }
    UpdateData(false);
}

void CDlgTab4::OnAutoShootClicked() {
    UpdateData(true);
    uint8_t& flags = selection_.photo_lock_flags;
    if (selection_.At(keys::kAutoShoot) != 0) {
        flags = static_cast<uint8_t>((flags & ~kBurstLock) | kShootLock);
    } else {
        flags = static_cast<uint8_t>(flags & ~kBurstLock);
    }
    UpdateData(false);
}

}  // namespace quillmar
