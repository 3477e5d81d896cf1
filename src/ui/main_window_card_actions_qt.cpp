// A card row's menu on Linux: "Load Settings from Card" (main_window_load.cpp)
// and "Eject", which unmounts the card through UDisks2 and powers its drive
// off. After a "Set" to a drive the status strip offers the same Eject.

#include "ui/main_window_system_parts_qt.h"

#include "platform/card_eject.h"
#include "platform/device_events.h"
#include "platform/qt_text_bridge.h"
#include "ui/card_context_menu.h"
#include "ui/card_display_name.h"
#include "ui/dialog/message_box.h"
#include "ui/status_area.h"

#include <QPushButton>
#include <QTableWidget>

namespace quillmar {

void CQuillmarVS2010Dlg::SystemParts::SetUpCardActions() {
    QWidget* w = window.Window();
    card_menu = new CardContextMenu(static_cast<QTableWidget*>(window.card_list_.Window()),
                                    [this](int row, const QPoint& at) { OnCardMenuRequest(row, at); });
    CQuillmarVS2010Dlg* owner = &window;
    QObject::connect(card_menu->LoadAction(), &QAction::triggered, w,
                     [this, owner] { owner->OnLoadSettingsFromCard(ToUtf8(card_menu->Root())); });
    QObject::connect(card_menu->EjectAction(), &QAction::triggered, w,
                     [this] { OnEjectCard(ToUtf8(card_menu->Root())); });

    eject_offer = new QPushButton(QStringLiteral("&Eject"));
    eject_offer->setAccessibleDescription(QStringLiteral("Eject the card just written"));
    status_area->AddAction(eject_offer);
    QObject::connect(eject_offer, &QPushButton::clicked, w, [this] { OnEjectCard(offered_root); });
}

void CQuillmarVS2010Dlg::SystemParts::OnCardMenuRequest(int row, const QPoint& globalPos) {
    // The menu acts on the row it was opened on, which becomes the target,
    // so the list shows which card is meant.
    CListCtrl& list = window.card_list_;
    if (list.GetSelectedItem() != row) list.SelectItem(row);
    const std::string root = list.GetItemText(row, 0);
    card_menu->Prepare(FromUtf8(root), FromUtf8(window.EjectUnavailableReason(root)));
    card_menu->popup(globalPos);
}

std::string CQuillmarVS2010Dlg::EjectUnavailableReason(const std::string& root) const {
    if (IsCardFolder(root))
        return CardDisplayName(root) + " is a folder given with --card, not a drive: there is nothing to eject.";
    if (system_->ejector) return "A card is being ejected; wait until that is done.";
    const UdisksAvailability udisks = CheckUdisksAvailable();
    return udisks.available ? std::string() : ToUtf8(udisks.reason);
}

void CQuillmarVS2010Dlg::ShowWrittenNews(const std::string& text, const std::string& root) {
    // A --card folder, or the working folder when no card was chosen, is no drive.
    if (root.empty() || IsCardFolder(root)) {
        system_->status_area->ShowMessageWithActions(text, {});
        return;
    }
    QPushButton* offer = system_->eject_offer;
    system_->offered_root = root;
    const std::string unavailable = EjectUnavailableReason(root);
    offer->setEnabled(unavailable.empty());
    offer->setToolTip(FromUtf8(unavailable.empty() ? "Unmount " + CardDisplayName(root) +
                                                         " and power its drive off, so it can be pulled"
                                                   : unavailable));
    system_->status_area->ShowMessageWithActions(text, {offer});
}

void CQuillmarVS2010Dlg::SystemParts::OnEjectCard(const std::string& root) {
    if (ejector || root.empty()) return;
    ejector = new CardEjector(window.Window());
    QObject::connect(ejector, &CardEjector::Finished, window.Window(),
                     [this, root](const EjectOutcome& outcome) { OnEjectFinished(root, outcome); });
    // Unmounting flushes the card and may ask for a password: the window
    // stays usable meanwhile.
    status_area->ShowMessage("Ejecting " + CardDisplayName(root) + "...", StatusLine::Lasting::kOverCardListChanges);
    EjectRequest request;
    request.root = FromUtf8(root);
    request.allow_interaction = true;
    ejector->Start(request);
}

void CQuillmarVS2010Dlg::SystemParts::OnEjectFinished(const std::string& root, const EjectOutcome& outcome) {
    ejector->deleteLater();
    ejector = nullptr;
    const std::string card = CardDisplayName(root);
    if (!outcome.Unmounted()) {
        // The message names the folder still mounted. Once part of the card
        // is off, the list shows what is left, whose row offers Eject again.
        status_area->Clear();
        ShowMessageBox(&window, card + " was not ejected.\n\n" + ToUtf8(outcome.message), "Quillmar",
                       MB_OK | MB_ICONERROR);
        if (!outcome.unmounted.isEmpty()) window.RefreshCardList();
        return;
    }
    const std::string text =
        outcome.status == EjectOutcome::kPoweredOff
            ? card + " ejected: the card can be pulled"
            : card + " unmounted: the card can be pulled (not powered off: " + ToUtf8(outcome.warning) + ")";
    status_area->ShowMessage(text, StatusLine::Lasting::kOverCardListChanges);
    // The device watcher sees the unmount too, but may see it later.
    window.OnDeviceChange(DBT_DEVICEREMOVECOMPLETE);
}

}  // namespace quillmar
