// The Photo page: burst and auto-shoot radios, which exclude each other.
#include "ui/pages/photo_page.h"

#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

#include <array>

namespace quillmar {

namespace {

constexpr std::array kAutoShootRadios = {IDC_AUTO_SHOOT_OFF,        IDC_AUTO_SHOOT_1_SECOND,  IDC_AUTO_SHOOT_2_SECONDS,
                                         IDC_AUTO_SHOOT_3_SECONDS,  IDC_AUTO_SHOOT_5_SECONDS, IDC_AUTO_SHOOT_10_SECONDS,
                                         IDC_AUTO_SHOOT_30_SECONDS, IDC_AUTO_SHOOT_60_SECONDS};
// In template order; the hidden "20 P" is enabled and disabled too.
constexpr std::array kBurstRadios = {IDC_BURST_OFF, IDC_BURST_3_P, IDC_BURST_5_P, IDC_BURST_10_P, IDC_BURST_20_P};

}  // namespace

CDlgTab4::CDlgTab4(SettingsSelection& selection) : CHoldingPage(kPhotoPageTemplate), selection_(selection) {
    for (const int id : kBurstRadios)
        On(id, Notification::kClicked, [this] { OnPhotoGroupClicked(keys::kPhotoBurst); });
    for (const int id : kAutoShootRadios)
        On(id, Notification::kClicked, [this] { OnPhotoGroupClicked(keys::kAutoShoot); });
}

void CDlgTab4::DoDataExchange(CDataExchange& dx) {
    if (!dx.SaveAndValidate()) ShowWhatSetWrites();
    DDX_Radio(dx, IDC_PHOTO_QUALITY_SFINE, selection_.At(keys::kPhotoQuality));
    DDX_Radio(dx, IDC_AUTO_SHOOT_OFF, selection_.At(keys::kAutoShoot));
    DDX_Radio(dx, IDC_PHOTO_STAMP_OFF, selection_.At(keys::kPhotoStamp));
    ExchangeHeldRadio(dx, IDC_BURST_OFF, IDC_BURST_HELD_NOTE, keys::kPhotoBurst, selection_.At(keys::kPhotoBurst));
}

void CDlgTab4::ShowWhatSetWrites() {
    // The page takes the values "Set" writes, so that it shows (and a
    // profile saved from it keeps) what the card gets.
    selection_.SettleBurstAndAutoShoot();
    const uint8_t flags = selection_.photo_lock_flags;
    EnableControls(kAutoShootRadios, !((flags & kBurstLock) && selection_.At(keys::kPhotoBurst) != 0));
    EnableControls(kBurstRadios, !((flags & kShootLock) && selection_.At(keys::kAutoShoot) != 0));
}

void CDlgTab4::EnableControls(std::span<const int> ids, bool enable) {
    for (const int id : ids) EnableControl(id, enable);
}

void CDlgTab4::OnPhotoGroupClicked(SettingsKeyRef key) {
    UpdateData(true);
    selection_.Choose(key, selection_.At(key));
    UpdateData(false);
}

}  // namespace quillmar
