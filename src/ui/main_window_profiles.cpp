// The profile list and the profile commands. The file work belongs to the
// profile store; the methods marked "store" are where it is called.

#include "ui/main_window.h"

#include "ui/new_cfg_dlg.h"

// store: open or create the profile file at cfg_path, fill profile_names,
// profile_sections and current_profile, and apply the first profile.
void CQuillmarVS2010Dlg::LoadProfiles() {
    // Until the store is connected the pages start at the schema's defaults
    // with the clock box ticked, as a first start in an empty folder does.
    selection = SettingsSelection::Defaults(1);
}

// store: read current_profile's section into the selection; the Photo
// page's lock flags stay as they are.
void CQuillmarVS2010Dlg::ApplyProfile() {}

void CQuillmarVS2010Dlg::FillProfileList() {
    for (const QString& name : profile_names) profile_list.AddString(name);
    // Selecting here reports nothing, so the profile is not applied twice.
    if (profile_list.GetCount() > 0) profile_list.SetCurSel(0);
}

void CQuillmarVS2010Dlg::OnNewProfile() {
    CDlgNewCFG dialog;
    if (dialog.DoModal(this) != IDOK) return;
    CreateProfile(dialog.typedName());
}

// store: refuse a name in use ("This name has be used !", caption "Notify"),
// else append it to the list and both name lists, make it current and save
// the pulled pages into it.
void CQuillmarVS2010Dlg::CreateProfile(const QString&) {}

// store: remove the selected profile's section and list entries, select
// the neighbour and make it current.
void CQuillmarVS2010Dlg::OnDelProfile() {}

// store: pull the pages and write them into current_profile.
void CQuillmarVS2010Dlg::OnSaveProfile() {}

void CQuillmarVS2010Dlg::OnSelchangeProfileList() {
    const int selected = profile_list.GetCurSel();
    if (selected < 0 || selected >= profile_sections.size()) return;
    current_profile = profile_sections[selected];
    ApplyProfile();
    PushPages();
}
