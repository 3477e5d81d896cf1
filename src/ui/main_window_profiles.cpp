// The profile list and the profile commands. The file work belongs to the
// profile store; the window keeps the list control parallel to its lists.

#include "ui/main_window.h"

#include "platform/qt_text_bridge.h"

#include "platform/file_change_watcher.h"
#include "platform/ini_document.h"
#include "profiles/profile_name_rules.h"
#include "profiles/profile_read_back.h"
#include "ui/dialog/message_box.h"
#include "ui/new_cfg_dlg.h"

namespace quillmar {

namespace {

const QString kNotifyCaption = QStringLiteral("Notify");

// Lists the profiles of the file as another program left it. The current
// profile stays selected while it exists; the pages keep what the user
// chose on them, saved or not. An unreadable file keeps the list as it was.
void RefreshProfileList(ProfileStore& store, CListBox& list) {
    if (!store.RefreshProfileList()) return;
    const QSignalBlocker quiet(list.Widget());
    while (list.GetCount() > 0) list.DeleteString(list.GetCount() - 1);
    for (const std::string& name : store.ProfileNames()) list.AddString(FromUtf8(name));
    const QStringList sections = FromUtf8(store.ProfileSections());
    qsizetype at = sections.indexOf(FromUtf8(store.CurrentProfile()));
    for (qsizetype i = 0; at < 0 && i < sections.size(); ++i)
        if (IniNamesMatch(ToUtf8(sections[i]), store.CurrentProfile())) at = i;
    // A profile deleted elsewhere leaves nothing selected; "Save Profile"
    // still writes it, and so brings it back.
    list.SetCurSel(int(at));
}

}  // namespace

bool CQuillmarVS2010Dlg::ReportProfileOutcome(const WriteOutcome& outcome) {
    if (outcome) return true;
    // Some failures name only the folder (no room for the new copy beside
    // the file); the user still learns which file was not written.
    const QString path = FromUtf8(store_.CfgPath());
    const QString error = FromUtf8(outcome.error);
    const QString text =
        error.contains(path) ? error : QStringLiteral("\"%1\" could not be written.\n\n%2").arg(path, error);
    ShowMessageBox(this, text, QStringLiteral("Quillmar"), MB_OK | MB_ICONERROR);
    return false;
}

void CQuillmarVS2010Dlg::LoadProfiles() {
    // On failure the store still leaves a usable state: the defaults on the
    // pages, and the file untouched when it could not be read.
    ReportProfileOutcome(store_.LoadProfiles());
    // The command-line tool and other copies of the program share the file.
    new FileChangeWatcher(
        FromUtf8(store_.CfgPath()), [this] { RefreshProfileList(store_, profile_list_); }, this);
}

void CQuillmarVS2010Dlg::ApplyProfile() {
    ReportProfileOutcome(store_.ApplyProfile());
    SetHeldOrigin(QStringLiteral("from profile"));
}

void CQuillmarVS2010Dlg::ReportProfileFormats() {
    if (!FormatsCard(selection_) || store_.CurrentProfile().empty()) return;
    const QString text = QStringLiteral("Profile \"%1\" formats the card (\"Format SD card\" is ticked)")
                             .arg(FromUtf8(ProfileStore::ShownName(store_.CurrentProfile())));
    status_area_->ShowMessage(text, QStringLiteral("This profile formats the card"),
                              QStringLiteral("\"Set\" asks first: the camera erases everything on the card when it "
                                             "starts. Untick \"Format SD card\" on the System page to keep the "
                                             "card's photos and videos."));
}

void CQuillmarVS2010Dlg::ReportReadBack() {
    const std::vector<ProfileReadBack> changed = ValuesProfilesReadBackDifferently(selection_);
    if (changed.empty()) return;
    QStringList stored;
    QStringList details;
    for (const ProfileReadBack& c : changed) {
        const QString key = FromUtf8(KeyName(c.key.section, c.key.key));
        const QString storedText = FromUtf8(OptionText(c.key.section, c.key.key, c.stored));
        const QString readText = FromUtf8(OptionText(c.key.section, c.key.key, c.read_back));
        stored << key + u'=' + storedText;
        details
            << QStringLiteral("%1=%2 is stored, but a profile reads it back as %1=%3.").arg(key, storedText, readText);
    }
    const QString name = FromUtf8(ProfileStore::ShownName(store_.CurrentProfile()));
    const QString text =
        changed.size() == 1
            ? QStringLiteral("Saved \"%1\"; it will read %2 back as %3")
                  .arg(name, stored.first(),
                       FromUtf8(OptionText(changed[0].key.section, changed[0].key.key, changed[0].read_back)))
            : QStringLiteral("Saved \"%1\"; it will read %2 values back differently")
                  .arg(name)
                  .arg(qsizetype(changed.size()));
    status_area_->ShowMessage(text, QStringLiteral("Saved; some values will read back differently"),
                              details.join(u'\n'));
}

void CQuillmarVS2010Dlg::PullPage(int section) {
    switch (section) {
    case kModeSection:
        mode_page_.UpdateData(true);
        break;
    case kVideoSection:
        video_page_.UpdateData(true);
        break;
    case kPhotoSection:
        photo_page_.UpdateData(true);
        break;
    case kImageSection:
        image_page_.UpdateData(true);
        break;
    case kSystemSection:
        system_page_.UpdateData(true);
        break;
    default:
        break;
    }
}

void CQuillmarVS2010Dlg::FillProfileList() {
    for (const std::string& name : store_.ProfileNames()) profile_list_.AddString(FromUtf8(name));
    // Selecting here reports nothing, so the profile is not applied twice.
    if (profile_list_.GetCount() > 0) profile_list_.SetCurSel(0);
}

void CQuillmarVS2010Dlg::OnNewProfile() {
    CDlgNewCFG dialog;
    // A refused name keeps the dialog open with the name, to be corrected.
    dialog.SetNameCheck([this](const QString& name) { return CreateProfile(name); });
    dialog.DoModal(this);
}

bool CQuillmarVS2010Dlg::CreateProfile(const QString& name) {
    std::string reason;
    switch (CheckNewProfileName(store_, ToUtf8(name), &reason)) {
    case NewProfileNameCheck::kAccepted:
        break;
    case NewProfileNameCheck::kInUse:
        ShowMessageBox(this, QStringLiteral("This name has be used !"), kNotifyCaption, MB_OK);
        return false;
    case NewProfileNameCheck::kUnstorable:
        ShowMessageBox(this, FromUtf8(reason), kNotifyCaption, MB_OK);
        return false;
    case NewProfileNameCheck::kUnreadable:
        ReportProfileOutcome(WriteOutcome::Failure(reason));
        return true;
    }
    // The store appends to its lists only once the section is on disk; the
    // pages keep showing what they showed, now as the new profile.
    if (!ReportProfileOutcome(store_.AddProfile(ToUtf8(name)))) return true;
    profile_list_.AddString(FromUtf8(store_.ProfileNames().back()));
    profile_list_.SetCurSel(profile_list_.GetCount() - 1);
    ReportReadBack();
    return true;
}

void CQuillmarVS2010Dlg::OnDelProfile() {
    const int selected = profile_list_.GetCurSel();
    if (selected < 0 || size_t(selected) >= store_.ProfileSections().size()) return;
    // The selected item's own section goes, with every other section of the
    // same name, which the file could never tell apart from it.
    const std::string section = store_.ProfileSections()[size_t(selected)];
    if (!ReportProfileOutcome(store_.DeleteProfileSection(section))) return;

    int next = selected;
    for (int i = int(store_.ProfileSections().size()) - 1; i >= 0; --i) {
        if (!IniNamesMatch(store_.ProfileSections()[size_t(i)], section)) continue;
        profile_list_.DeleteString(i);
        store_.UnlistProfile(i);
        if (i < selected) --next;
    }
    // The item that moved into the deleted one's place, or the one before
    // when the last item went.
    if (size_t(next) >= store_.ProfileSections().size()) next = int(store_.ProfileSections().size()) - 1;
    profile_list_.SetCurSel(next);
    if (next < 0) {
        // As at start-up, a file without profiles gets "default", so that
        // the list, the file and quillmar-cli agree on what exists.
        ReportProfileOutcome(store_.LoadProfiles());
        FillProfileList();
        SetHeldOrigin(QStringLiteral("from profile"));
        PushPages();
        ReportProfileFormats();
        return;
    }
    // The neighbour becomes current, so list, pages and file agree.
    OnSelchangeProfileList();
}

void CQuillmarVS2010Dlg::OnSaveProfile() {
    if (store_.CurrentProfile().empty()) return;
    // A profile that another program deleted is written anew, and listed.
    if (!ReportProfileOutcome(store_.SaveProfile())) return;
    if (!FromUtf8(store_.ProfileSections()).contains(FromUtf8(store_.CurrentProfile())))
        RefreshProfileList(store_, profile_list_);
    ReportReadBack();
}

void CQuillmarVS2010Dlg::OnSelchangeProfileList() {
    const int selected = profile_list_.GetCurSel();
    if (selected < 0 || size_t(selected) >= store_.ProfileSections().size()) return;
    status_area_->Clear();
    store_.SelectProfile(selected);
    ApplyProfile();
    PushPages();
    // After the push, whose changes clear the strip.
    ReportProfileFormats();
}

}  // namespace quillmar
