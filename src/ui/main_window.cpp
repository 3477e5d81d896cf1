// The main window's set-up: its controls, the window menu, and the tabs with their five pages.
#include "ui/main_window.h"

#include "platform/qt_text_bridge.h"
#include "ui/about_dlg.h"
#include "ui/dialog/data_exchange.h"
#include "ui/resource_ids.h"
#include "ui/resources.h"
#include "ui/templates/dialog_templates.h"

#include <QContextMenuEvent>
#include <QDir>

namespace quillmar {

namespace {

// Pages sit this far below the top of the tab control, under the tabs.
constexpr int kPageTop = 26;

// --config, or cfg.ini in the folder the program was started in.
QString ProfileFilePath(const AppOptions& options) {
    return options.config_path.isEmpty() ? FromUtf8(ProfileStore::DefaultCfgPath()) : options.config_path;
}

}  // namespace

CQuillmarVS2010Dlg::CQuillmarVS2010Dlg(AppOptions appOptions, SystemPaths paths)
    : CDialog(kMainWindowTemplate),
      options_(std::move(appOptions)),
      system_paths_(std::move(paths)),
      app_icon_(LoadIconResource(IDR_MAINFRAME)),
      store_(ToUtf8(ProfileFilePath(options_)), selection_, this) {
    On(IDC_SETTINGS_TABS, Notification::kSelChange, [this] { OnTabSelChange(); });
    On(IDC_SET, Notification::kClicked, [this] { OnSet(); });
    On(IDC_NEW_PROFILE, Notification::kClicked, [this] { OnNewProfile(); });
    On(IDC_DEL_PROFILE, Notification::kClicked, [this] { OnDelProfile(); });
    On(IDC_SAVE_PROFILE, Notification::kClicked, [this] { OnSaveProfile(); });
    On(IDC_PROFILE_LIST, Notification::kSelChange, [this] { OnSelchangeProfileList(); });
    On(IDC_CARD_LIST, Notification::kItemChanged, [this] { OnCardItemChanged(); });
}

CQuillmarVS2010Dlg::~CQuillmarVS2010Dlg() { pages_ = {}; }

void CQuillmarVS2010Dlg::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_SETTINGS_TABS, tab_ctrl_);
    DDX_Control(dx, IDC_PROFILE_LIST, profile_list_);
    DDX_Control(dx, IDC_CARD_LIST, card_list_);
}

bool CQuillmarVS2010Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpSystemMenu();
    setWindowIcon(app_icon_);
    // The profile goes into the members before the pages exist, so that each
    // page shows it when it is created.
    LoadProfiles();
    SetUpTabs();
    SetUpCardList();
    FillProfileList();
    SetUpStatusArea();
    SetUpCardActions();
    SetUpKeys();
    ReportProfileFormats();
    return true;
}

void CQuillmarVS2010Dlg::SetUpSystemMenu() {
    system_menu_ = new QMenu(this);
    system_menu_->addAction(QStringLiteral("&Close"))->setData(SC_CLOSE);
    system_menu_->addSeparator();
    system_menu_->addAction(QStringLiteral("&About Quillmar..."))->setData(IDM_ABOUTBOX);
}

void CQuillmarVS2010Dlg::contextMenuEvent(QContextMenuEvent* event) {
    if (const QAction* chosen = system_menu_->exec(event->globalPos())) OnSysCommand(chosen->data().toUInt());
}

void CQuillmarVS2010Dlg::OnSysCommand(unsigned id) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal(this);
    } else if ((id & 0xFFF0) == SC_CLOSE) {
        OnCommand(IDCANCEL);
    }
}

void CQuillmarVS2010Dlg::SetUpTabs() {
    list_font_ = FontWithCellHeight(QStringLiteral("System"), 18);
    profile_list_->setFont(list_font_);
    tab_ctrl_->setFont(list_font_);
    tab_ctrl_->SetMaxTabHeight(kPageTop);

    tab_ctrl_.InsertItem(kModeTab, QStringLiteral("Mode Setting"));
    tab_ctrl_.InsertItem(kVideoTab, QStringLiteral("Video Setting"));
    tab_ctrl_.InsertItem(kPhotoTab, QStringLiteral("Photo Setting"));
    tab_ctrl_.InsertItem(kSystemTab, QStringLiteral("System Setting"));
    tab_ctrl_.InsertItem(kImageTab, QStringLiteral("Image Setting"));

    // Creating a page pushes the members into it, and every page starts hidden.
    mode_page_.Create(tab_ctrl_.Widget());
    video_page_.Create(tab_ctrl_.Widget());
    photo_page_.Create(tab_ctrl_.Widget());
    system_page_.Create(tab_ctrl_.Widget());
    image_page_.Create(tab_ctrl_.Widget());

    const QRect client = tab_ctrl_->rect();
    for (CDialog* page :
         {static_cast<CDialog*>(&mode_page_), static_cast<CDialog*>(&video_page_), static_cast<CDialog*>(&image_page_),
          static_cast<CDialog*>(&photo_page_), static_cast<CDialog*>(&system_page_)}) {
        page->setGeometry(1, client.top() + kPageTop, client.width() - 5, client.height() - 30);
    }

    pages_ = {&mode_page_, &video_page_, &photo_page_, &system_page_, &image_page_};
    current_page_ = kModeTab;
    pages_[current_page_]->show();
}

void CQuillmarVS2010Dlg::OnTabSelChange() {
    // Only hides and shows: no page is read, written or validated.
    pages_[current_page_]->hide();
    current_page_ = tab_ctrl_.GetCurSel();
    pages_[current_page_]->show();
}

}  // namespace quillmar
