// The main window's set-up: its controls, the window menu's commands, and the tabs with their five pages.
#include "ui/main_window.h"

#include "ui/about_dlg.h"
#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

namespace quillmar {

namespace {

// --config, or cfg.ini in the folder the program was started in.
std::string ProfileFilePath(const AppOptions& options) {
    return options.config_path.empty() ? ProfileStore::DefaultCfgPath() : options.config_path;
}

}  // namespace

CQuillmarVS2010Dlg::CQuillmarVS2010Dlg(AppOptions appOptions, std::unique_ptr<DriveSource> drives)
    : CDialog(kMainWindowTemplate),
      options_(std::move(appOptions)),
      store_(ProfileFilePath(options_), selection_, this),
      drives_(std::move(drives)) {
    On(IDC_SETTINGS_TABS, Notification::kSelChange, [this] { OnTabSelChange(); });
    On(IDC_SET, Notification::kClicked, [this] { OnSet(); });
    On(IDC_NEW_PROFILE, Notification::kClicked, [this] { OnNewProfile(); });
    On(IDC_DEL_PROFILE, Notification::kClicked, [this] { OnDelProfile(); });
    On(IDC_SAVE_PROFILE, Notification::kClicked, [this] { OnSaveProfile(); });
    On(IDC_PROFILE_LIST, Notification::kSelChange, [this] { OnSelchangeProfileList(); });
    On(IDC_CARD_LIST, Notification::kItemChanged, [this] { OnCardItemChanged(); });
}

void CQuillmarVS2010Dlg::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_SETTINGS_TABS, tab_ctrl_);
    DDX_Control(dx, IDC_PROFILE_LIST, profile_list_);
    DDX_Control(dx, IDC_CARD_LIST, card_list_);
}

bool CQuillmarVS2010Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The profile goes into the members before the pages exist, so that each
    // page shows it when it is created.
    LoadProfiles();
    SetUpTabs();
    SetUpCardList();
    SetUpSystemParts();
    FillProfileList();
    ReportProfileFormats();
    return true;
}

void CQuillmarVS2010Dlg::OnSysCommand(unsigned id) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal(this);
    } else if ((id & 0xFFF0) == SC_CLOSE) {
        OnClose();
    }
}

void CQuillmarVS2010Dlg::SetUpTabs() {
    tab_ctrl_.InsertItem(kModeTab, "Mode Setting");
    tab_ctrl_.InsertItem(kVideoTab, "Video Setting");
    tab_ctrl_.InsertItem(kPhotoTab, "Photo Setting");
    tab_ctrl_.InsertItem(kSystemTab, "System Setting");
    tab_ctrl_.InsertItem(kImageTab, "Image Setting");

    // Creating a page pushes the members into it, and every page starts hidden.
    pages_ = {&mode_page_, &video_page_, &photo_page_, &system_page_, &image_page_};
    for (CDialog* page : pages_) page->CreatePage(*this, IDC_SETTINGS_TABS);
    current_page_ = kModeTab;
    pages_[current_page_]->ShowWindow(true);
}

void CQuillmarVS2010Dlg::OnTabSelChange() {
    // Only hides and shows: no page is read, written or validated.
    pages_[size_t(current_page_)]->ShowWindow(false);
    current_page_ = tab_ctrl_.GetCurSel();
    pages_[size_t(current_page_)]->ShowWindow(true);
}

}  // namespace quillmar
