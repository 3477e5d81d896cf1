// "Set": writes the pages' choices as camera.conf onto the target card.

#include "ui/main_window.h"

#include "platform/mount_root.h"
#include "platform/qt_text_bridge.h"
#include "settings/camera_conf.h"
#include "ui/card_cells.h"
#include "ui/dialog/message_box.h"
#include "ui/set_failure_message.h"

#include <QFileInfo>

#include <cerrno>
#include <ctime>

namespace quillmar {

void CQuillmarVS2010Dlg::PullPages() {
    mode_page_.UpdateData(true);
    video_page_.UpdateData(true);
    image_page_.UpdateData(true);
    photo_page_.UpdateData(true);
    system_page_.UpdateData(true);
}

void CQuillmarVS2010Dlg::PushPages() {
    mode_page_.UpdateData(false);
    video_page_.UpdateData(false);
    image_page_.UpdateData(false);
    photo_page_.UpdateData(false);
    system_page_.UpdateData(false);
}

void CQuillmarVS2010Dlg::SetHeldOrigin(const QString& words) {
    image_page_.SetHeldOrigin(words);
    photo_page_.SetHeldOrigin(words);
    system_page_.SetHeldOrigin(words);
}

WriteOutcome CQuillmarVS2010Dlg::CheckTargetStillThere() const {
    const QString targetRoot = TargetRoot();
    // No card chosen yet: the file goes to the working directory.
    if (targetRoot.isEmpty()) return WriteOutcome::Success();
    if (!QFileInfo(targetRoot).isDir())
        return WriteOutcome::Failure(QStringLiteral("The folder \"%1\" does not exist").arg(targetRoot).toStdString(),
                                     ENOENT);
    // A pulled card leaves an empty mount folder behind; the file must never
    // land there. A --card folder only has to exist.
    if (!TargetIsCardFolder() && !IsMountedVolumeRoot(targetRoot))
        return WriteOutcome::Failure(QStringLiteral("The card \"%1\" is no longer there").arg(targetRoot).toStdString(),
                                     ENODEV);
    return WriteOutcome::Success();
}

bool CQuillmarVS2010Dlg::ConfirmFormat() {
    // The camera erases the card at its next start: photos and videos are
    // lost without a trace, so the safe answer is the default.
    const QString card = CardDisplayName(TargetRoot());
    const QString text = QStringLiteral(
                             "\"Format SD card\" is ticked: everything on %1, photos and videos "
                             "included, will be erased when the camera starts with it.\n\n"
                             "Write camera.conf with format=true to %1?")
                             .arg(card);
    return ShowMessageBox(this, text, QStringLiteral("Quillmar"), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void CQuillmarVS2010Dlg::OnSet() {
    // Without a card the file would land where the camera never sees it,
    // while the user believes the card was set.
    if (card_list_.GetItemCount() == 0) {
        ShowMessageBox(this,
                       QStringLiteral("No memory card was found.\n\nInsert the camera's memory card, "
                                      "choose it in the list and press \"Set\" again."),
                       QStringLiteral("Quillmar"), MB_OK | MB_ICONERROR);
        return;
    }
    PullPages();
    if (FormatsCard(selection_) && !ConfirmFormat()) return;
    // The clock line takes the time after all five pages were pulled.
    const std::string text = BuildCameraConfText(selection_, std::time(nullptr));
    WriteOutcome outcome = CheckTargetStillThere();
    if (outcome) outcome = WriteCameraConf(ToUtf8(TargetRoot()), text);
    if (!outcome) {
        ShowMessageBox(this, DescribeCameraConfFailure(TargetRoot(), outcome), QStringLiteral("Quillmar"),
                       MB_OK | MB_ICONERROR);
        return;
    }
    ReportWritten();
}

}  // namespace quillmar
