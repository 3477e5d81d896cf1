// "Set": writes the pages' choices as camera.conf onto the target card.

#include "ui/main_window.h"

#include "platform/folder_entries.h"
#include "platform/mount_root.h"
#include "platform/path_text.h"
#include "settings/camera_conf.h"
#include "ui/card_display_name.h"
#include "ui/dialog/message_box.h"
#include "ui/set_failure_message.h"

#include <ctime>
#include <filesystem>
#include <system_error>

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

void CQuillmarVS2010Dlg::SetHeldOrigin(const std::string& words) {
    image_page_.SetHeldOrigin(words);
    photo_page_.SetHeldOrigin(words);
    system_page_.SetHeldOrigin(words);
}

WriteOutcome CQuillmarVS2010Dlg::CheckTargetStillThere() const {
    const std::string& targetRoot = TargetRoot();
    // No card chosen yet: the file goes to the working directory.
    if (targetRoot.empty()) return WriteOutcome::Success();
    std::error_code error;
    if (!std::filesystem::is_directory(PathFromUtf8(targetRoot), error))
        return WriteOutcome::Failure("The folder \"" + targetRoot + "\" does not exist", CardGoneError());
    // A pulled card leaves an empty mount folder behind; the file must never
    // land there. A --card folder only has to exist.
    if (!IsCardFolder(targetRoot) && !IsMountedVolumeRoot(targetRoot))
        return WriteOutcome::Failure("The card \"" + targetRoot + "\" is no longer there", CardGoneError());
    return WriteOutcome::Success();
}

bool CQuillmarVS2010Dlg::ConfirmFormat() {
    // The camera erases the card at its next start: photos and videos are
    // lost without a trace, so the safe answer is the default.
    const std::string card = CardDisplayName(TargetRoot());
    const std::string text = "\"Format SD card\" is ticked: everything on " + card +
                             ", photos and videos included, will be erased when the camera starts with it.\n\n"
                             "Write camera.conf with format=true to " +
                             card + "?";
    return ShowMessageBox(this, text, "Quillmar", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void CQuillmarVS2010Dlg::OnSet() {
    // Without a card the file would land where the camera never sees it,
    // while the user believes the card was set.
    if (card_list_.GetItemCount() == 0) {
        ShowMessageBox(this,
                       "No memory card was found.\n\nInsert the camera's memory card, "
                       "choose it in the list and press \"Set\" again.",
                       "Quillmar", MB_OK | MB_ICONERROR);
        return;
    }
    PullPages();
    if (FormatsCard(selection_) && !ConfirmFormat()) return;
    // The clock line takes the time after all five pages were pulled.
    const std::string text = BuildCameraConfText(selection_, std::time(nullptr));
    WriteOutcome outcome = CheckTargetStillThere();
    if (outcome) outcome = WriteCameraConf(TargetRoot(), text);
    if (!outcome) {
        ShowMessageBox(this, DescribeCameraConfFailure(TargetRoot(), outcome), "Quillmar", MB_OK | MB_ICONERROR);
        return;
    }
    ReportWritten();
}

void CQuillmarVS2010Dlg::ReportWritten() {
    const std::tm now = LocalTime(std::time(nullptr));
    char clock[8] = "";
    std::strftime(clock, sizeof clock, "%H:%M", &now);
    ShowWrittenNews("camera.conf written to " + CardDisplayName(TargetRoot()) + " at " + clock, TargetRoot());
}

}  // namespace quillmar
