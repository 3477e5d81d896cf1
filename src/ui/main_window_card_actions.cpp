// A card row's menu: "Load Settings from Card" puts the card's camera.conf
// on the pages; "Eject" unmounts the card and powers its drive off. After
// a "Set" the status strip offers the same Eject.

#include "ui/main_window.h"

#include "platform/card_eject.h"
#include "platform/device_events.h"
#include "platform/qt_text_bridge.h"
#include "settings/camera_conf_reader.h"
#include "ui/card_cells.h"
#include "ui/card_context_menu.h"
#include "ui/dialog/message_box.h"

#include <QPushButton>

namespace quillmar {

namespace {

QString Lines(qsizetype count) { return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count); }

// What Load took from the card, and what it could not use: one line short
// enough for the strip, with the details for its tooltip.
struct LoadedReport {
    QString text;
    QString shorter;
    QString details;
};

LoadedReport DescribeLoad(const QString& card, const CameraConfContents& contents, const QStringList& held) {
    const qsizetype count = qsizetype(contents.settings.size());
    QString loaded =
        QStringLiteral("Loaded %1 from %2")
            .arg(count == 1 ? QStringLiteral("1 setting") : QStringLiteral("%1 settings").arg(count), card);
    if (contents.HasClockLine()) loaded += QStringLiteral(" and the clock line");
    QStringList notUnderstood;
    QStringList replaced;
    for (const CameraConfSkippedLine& line : contents.skipped)
        (line.reason == CameraConfSkippedLine::kRepeatedKey ? replaced : notUnderstood) << QString::number(line.line);
    QStringList news;
    QStringList details;
    if (!held.isEmpty()) {
        news << QStringLiteral("%1 kept without a button").arg(held.size());
        details << QStringLiteral("Kept as loaded, named beside their groups (no button for them): %1.")
                       .arg(held.join(QStringLiteral(", ")));
    }
    if (!notUnderstood.isEmpty()) {
        news << QStringLiteral("%1 not understood (line %2)")
                    .arg(Lines(notUnderstood.size()), notUnderstood.join(QStringLiteral(", ")));
        details << QStringLiteral("Not understood by the camera, so not loaded: line %1.")
                       .arg(notUnderstood.join(QStringLiteral(", ")));
    }
    if (!replaced.isEmpty()) {
        news << QStringLiteral("%1 replaced by a later one").arg(Lines(replaced.size()));
        details << QStringLiteral("Replaced by a later line of the same key: line %1.")
                       .arg(replaced.join(QStringLiteral(", ")));
    }
    if (news.isEmpty()) return {loaded + QStringLiteral("; every line understood"), loaded, {}};
    return {loaded + QStringLiteral("; ") + news.join(QStringLiteral("; ")),
            loaded + QStringLiteral("; more in the tooltip"), details.join(u'\n')};
}

}  // namespace

void CQuillmarVS2010Dlg::SetUpCardActions() {
    card_menu_ =
        new CardContextMenu(card_list_.Widget(), [this](int row, const QPoint& at) { OnCardMenuRequest(row, at); });
    QObject::connect(card_menu_->LoadAction(), &QAction::triggered, this,
                     [this] { OnLoadSettingsFromCard(card_menu_->Root()); });
    QObject::connect(card_menu_->EjectAction(), &QAction::triggered, this, [this] { OnEjectCard(card_menu_->Root()); });

    eject_offer_ = new QPushButton(QStringLiteral("&Eject"));
    eject_offer_->setAccessibleDescription(QStringLiteral("Eject the card just written"));
    status_area_->AddAction(eject_offer_);
    QObject::connect(eject_offer_, &QPushButton::clicked, this, [this] { OnEjectCard(offered_root_); });
}

void CQuillmarVS2010Dlg::OnCardMenuRequest(int row, const QPoint& globalPos) {
    // The menu acts on the row it was opened on, which becomes the target,
    // so the list shows which card is meant.
    if (card_list_.GetSelectedItem() != row) card_list_.SelectItem(row);
    const QString root = card_list_.GetItemText(row, 0);
    card_menu_->Prepare(root, EjectUnavailableReason(root));
    card_menu_->popup(globalPos);
}

bool CQuillmarVS2010Dlg::IsCardFolder(const QString& root) const {
    for (const QString& folder : options_.card_folders)
        if (FolderCardRoot(folder) == root) return true;
    return false;
}

QString CQuillmarVS2010Dlg::EjectUnavailableReason(const QString& root) const {
    if (IsCardFolder(root))
        return QStringLiteral("%1 is a folder given with --card, not a drive: there is nothing to eject.")
            .arg(CardDisplayName(root));
    if (ejector_) return QStringLiteral("A card is being ejected; wait until that is done.");
    const UdisksAvailability udisks = CheckUdisksAvailable();
    return udisks.available ? QString() : udisks.reason;
}

QList<QWidget*> CQuillmarVS2010Dlg::OfferAfterSet(const QString& root) {
    // A --card folder, or the working folder when no card was chosen, is no drive.
    if (root.isEmpty() || IsCardFolder(root)) return {};
    offered_root_ = root;
    const QString unavailable = EjectUnavailableReason(root);
    eject_offer_->setEnabled(unavailable.isEmpty());
    eject_offer_->setToolTip(unavailable.isEmpty() ? QStringLiteral("Unmount %1 and power its drive off, so it can be "
                                                                    "pulled")
                                                         .arg(CardDisplayName(root))
                                                   : unavailable);
    return {eject_offer_};
}

void CQuillmarVS2010Dlg::OnLoadSettingsFromCard(const QString& root) {
    const CameraConfRead read = ReadCameraConf(ToUtf8(root));
    if (!read.ok) {
        ShowMessageBox(
            this,
            QStringLiteral("No settings were loaded from %1: %2").arg(CardDisplayName(root), FromUtf8(read.error)),
            QStringLiteral("Quillmar"), MB_OK | MB_ICONERROR);
        return;
    }
    // The pages' own values first: keys the file lacks keep them.
    PullPages();
    read.contents.ApplyTo(selection_);
    SetHeldOrigin(QStringLiteral("from card"));
    PushPages();
    // A value the camera knows but the pages have no button for (ISO 3200)
    // is kept as it is, and named beside its group and here.
    QStringList held;
    for (const CHoldingPage* page : {static_cast<CHoldingPage*>(&image_page_), static_cast<CHoldingPage*>(&photo_page_),
                                     static_cast<CHoldingPage*>(&system_page_)})
        held << page->HeldValues();
    const LoadedReport report = DescribeLoad(CardDisplayName(root), read.contents, held);
    // After the push, whose changes clear the strip.
    status_area_->ShowMessage(report.text, report.shorter, report.details);
}

void CQuillmarVS2010Dlg::OnEjectCard(const QString& root) {
    if (ejector_ || root.isEmpty()) return;
    ejector_ = new CardEjector(this);
    QObject::connect(ejector_, &CardEjector::Finished, this,
                     [this, root](const EjectOutcome& outcome) { OnEjectFinished(root, outcome); });
    // Unmounting flushes the card and may ask for a password: the window
    // stays usable meanwhile.
    status_area_->ShowMessage(QStringLiteral("Ejecting %1...").arg(CardDisplayName(root)), {},
                              StatusArea::Lasting::kOverCardListChanges);
    EjectRequest request;
    request.root = root;
    request.allow_interaction = true;
    ejector_->Start(request);
}

void CQuillmarVS2010Dlg::OnEjectFinished(const QString& root, const EjectOutcome& outcome) {
    ejector_->deleteLater();
    ejector_ = nullptr;
    const QString card = CardDisplayName(root);
    if (!outcome.Unmounted()) {
        // The message names the folder still mounted. Once part of the card
        // is off, the list shows what is left, whose row offers Eject again.
        status_area_->Clear();
        ShowMessageBox(this, QStringLiteral("%1 was not ejected.\n\n%2").arg(card, outcome.message),
                       QStringLiteral("Quillmar"), MB_OK | MB_ICONERROR);
        if (!outcome.unmounted.isEmpty()) RefreshCardList();
        return;
    }
    const QString text =
        outcome.status == EjectOutcome::kPoweredOff
            ? QStringLiteral("%1 ejected: the card can be pulled").arg(card)
            : QStringLiteral("%1 unmounted: the card can be pulled (not powered off: %2)").arg(card, outcome.warning);
    status_area_->ShowMessage(text, {}, StatusArea::Lasting::kOverCardListChanges);
    // The device watcher sees the unmount too, but may see it later.
    OnDeviceChange(DBT_DEVICEREMOVECOMPLETE);
}

}  // namespace quillmar
