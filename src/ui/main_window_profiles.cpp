// The profile list and the profile commands. The file work belongs to the
// profile store; the window keeps the list control parallel to its lists.

#include "ui/main_window.h"

#include "platform/ini_document.h"
#include "profiles/profile_name_rules.h"
#include "profiles/profile_read_back.h"
#include "ui/dialog/message_box.h"
#include "ui/joined_text.h"
#include "ui/new_cfg_dlg.h"

#include <algorithm>

namespace quillmar {

namespace {

constexpr char kNotifyCaption[] = "Notify";

}  // namespace

void CQuillmarVS2010Dlg::RefreshProfileList() {
    // The current profile stays selected while it exists; the pages keep
    // what the user chose on them, saved or not. An unreadable file keeps
    // the list as it was.
    if (!store_.RefreshProfileList()) return;
    while (profile_list_.GetCount() > 0) profile_list_.DeleteString(profile_list_.GetCount() - 1);
    for (const std::string& name : store_.ProfileNames()) profile_list_.AddString(name);
    const std::vector<std::string>& sections = store_.ProfileSections();
    auto at = std::find(sections.begin(), sections.end(), store_.CurrentProfile());
    if (at == sections.end())
        at = std::find_if(sections.begin(), sections.end(), [this](const std::string& section) {
            return IniNamesMatch(section, store_.CurrentProfile());
        });
    // A profile deleted elsewhere leaves nothing selected; "Save Profile"
    // still writes it, and so brings it back.
    profile_list_.SetCurSel(at == sections.end() ? -1 : int(at - sections.begin()));
}

bool CQuillmarVS2010Dlg::ReportProfileOutcome(const WriteOutcome& outcome) {
    if (outcome) return true;
    // Some failures name only the folder (no room for the new copy beside
    // the file); the user still learns which file was not written.
    const std::string& path = store_.CfgPath();
    const std::string& error = outcome.error;
    const std::string text =
        error.find(path) != std::string::npos ? error : "\"" + path + "\" could not be written.\n\n" + error;
    ShowMessageBox(this, text, "Quillmar", MB_OK | MB_ICONERROR);
    return false;
}

void CQuillmarVS2010Dlg::LoadProfiles() {
    // On failure the store still leaves a usable state: the defaults on the
    // pages, and the file untouched when it could not be read.
    ReportProfileOutcome(store_.LoadProfiles());
}

void CQuillmarVS2010Dlg::ApplyProfile() {
    ReportProfileOutcome(store_.ApplyProfile());
    SetHeldOrigin("from profile");
}

void CQuillmarVS2010Dlg::ReportProfileFormats() {
    if (!FormatsCard(selection_) || store_.CurrentProfile().empty()) return;
    const std::string text = "Profile \"" + ProfileStore::ShownName(store_.CurrentProfile()) +
                             "\" formats the card (\"Format SD card\" is ticked)";
    status_->ShowMessage(text, "This profile formats the card",
                         "\"Set\" asks first: the camera erases everything on the card when it starts. Untick "
                         "\"Format SD card\" on the System page to keep the card's photos and videos.");
}

void CQuillmarVS2010Dlg::ReportReadBack() {
    const std::vector<ProfileReadBack> changed = ValuesProfilesReadBackDifferently(selection_);
    if (changed.empty()) return;
    std::vector<std::string> stored;
    std::vector<std::string> details;
    for (const ProfileReadBack& c : changed) {
        const std::string key = KeyName(c.key.section, c.key.key);
        const std::string storedText = OptionText(c.key.section, c.key.key, c.stored);
        const std::string readText = OptionText(c.key.section, c.key.key, c.read_back);
        stored.push_back(key + '=' + storedText);
        details.push_back(key + '=' + storedText + " is stored, but a profile reads it back as " + key + '=' +
                          readText + '.');
    }
    const std::string name = ProfileStore::ShownName(store_.CurrentProfile());
    const std::string text =
        changed.size() == 1
            ? "Saved \"" + name + "\"; it will read " + stored.front() + " back as " +
                  OptionText(changed[0].key.section, changed[0].key.key, changed[0].read_back)
            : "Saved \"" + name + "\"; it will read " + std::to_string(changed.size()) + " values back differently";
    status_->ShowMessage(text, "Saved; some values will read back differently", Joined(details, "\n"));
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
    for (const std::string& name : store_.ProfileNames()) profile_list_.AddString(name);
    // Selecting here reports nothing, so the profile is not applied twice.
    if (profile_list_.GetCount() > 0) profile_list_.SetCurSel(0);
}

void CQuillmarVS2010Dlg::OnNewProfile() {
    CDlgNewCFG dialog;
    // A refused name keeps the dialog open with the name, to be corrected.
    dialog.SetNameCheck([this](const std::string& name) { return CreateProfile(name); });
    dialog.DoModal(this);
}

bool CQuillmarVS2010Dlg::CreateProfile(const std::string& name) {
    std::string reason;
    switch (CheckNewProfileName(store_, name, &reason)) {
    case NewProfileNameCheck::kAccepted:
        break;
    case NewProfileNameCheck::kInUse:
        ShowMessageBox(this, "This name has be used !", kNotifyCaption, MB_OK);
        return false;
    case NewProfileNameCheck::kUnstorable:
        ShowMessageBox(this, reason, kNotifyCaption, MB_OK);
        return false;
    case NewProfileNameCheck::kUnreadable:
        ReportProfileOutcome(WriteOutcome::Failure(reason));
        return true;
    }
    // The store appends to its lists only once the section is on disk; the
    // pages keep showing what they showed, now as the new profile.
    if (!ReportProfileOutcome(store_.AddProfile(name))) return true;
    profile_list_.AddString(store_.ProfileNames().back());
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
        SetHeldOrigin("from profile");
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
    const std::vector<std::string>& sections = store_.ProfileSections();
    if (std::find(sections.begin(), sections.end(), store_.CurrentProfile()) == sections.end()) RefreshProfileList();
    ReportReadBack();
}

void CQuillmarVS2010Dlg::OnSelchangeProfileList() {
    const int selected = profile_list_.GetCurSel();
    if (selected < 0 || size_t(selected) >= store_.ProfileSections().size()) return;
    status_->Clear();
    store_.SelectProfile(selected);
    ApplyProfile();
    PushPages();
    // After the push, whose changes clear the strip.
    ReportProfileFormats();
}

}  // namespace quillmar
