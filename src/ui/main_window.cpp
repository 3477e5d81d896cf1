#include "ui/main_window.h"

#include "ui/about_dlg.h"
#include "ui/dialog/data_exchange.h"
#include "ui/resources.h"
#include "ui/templates/dialog_templates.h"
#include "ui/resource_ids.h"

#include <QContextMenuEvent>
#include <QDir>

namespace quillmar {

namespace {

// Pages sit this far below the top of the tab control, under the tabs.
constexpr int kPageTop = 26;

// --config, or cfg.ini in the folder the program was started in.
QString ProfileFilePath(const AppOptions& options) {
    return options.configPath.isEmpty() ? ProfileStore::DefaultCfgPath() : options.configPath;
}

}  // namespace

CQuillmarVS2010Dlg::CQuillmarVS2010Dlg(AppOptions appOptions, SystemPaths paths)
    : CDialog(kMainWindowTemplate),
      options(std::move(appOptions)),
      system_paths(std::move(paths)),
      app_icon(LoadIconResource(IDR_MAINFRAME)),
      store(ProfileFilePath(options), selection, this) {
    On(IDC_SETTINGS_TABS, Notification::SelChange, [this] { OnTabSelChange(); });
    On(IDC_SET, Notification::Clicked, [this] { OnSet(); });
    On(IDC_NEW_PROFILE, Notification::Clicked, [this] { OnNewProfile(); });
    On(IDC_DEL_PROFILE, Notification::Clicked, [this] { OnDelProfile(); });
    On(IDC_SAVE_PROFILE, Notification::Clicked, [this] { OnSaveProfile(); });
    On(IDC_PROFILE_LIST, Notification::SelChange, [this] { OnSelchangeProfileList(); });
    On(IDC_CARD_LIST, Notification::ItemChanged, [this] { OnCardItemChanged(); });
}

CQuillmarVS2010Dlg::~CQuillmarVS2010Dlg() { pages = {}; }

void CQuillmarVS2010Dlg::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, IDC_SETTINGS_TABS, tab_ctrl);
    DDX_Control(dx, IDC_PROFILE_LIST, profile_list);
    DDX_Control(dx, IDC_CARD_LIST, card_list);
}

bool CQuillmarVS2010Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpSystemMenu();
    setWindowIcon(app_icon);
    // The profile goes into the members before the pages exist, so that each
    // page shows it when it is created.
    LoadProfiles();
    SetUpTabs();
    SetUpCardList();
    FillProfileList();
    SetUpStatusArea();
    SetUpCardActions();
    SetUpKeys();
    return true;
}

void CQuillmarVS2010Dlg::SetUpSystemMenu() {
    system_menu = new QMenu(this);
    system_menu->addAction(QStringLiteral("&Close"))->setData(SC_CLOSE);
    system_menu->addSeparator();
    system_menu->addAction(QStringLiteral("&About Quillmar..."))->setData(IDM_ABOUTBOX);
}

void CQuillmarVS2010Dlg::contextMenuEvent(QContextMenuEvent* event) {
    if (const QAction* chosen = system_menu->exec(event->globalPos())) OnSysCommand(chosen->data().toUInt());
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
    list_font = FontWithCellHeight(QStringLiteral("System"), 18);
    profile_list->setFont(list_font);
    tab_ctrl->setFont(list_font);
    tab_ctrl->SetMaxTabHeight(kPageTop);

    tab_ctrl.InsertItem(kModeTab, QStringLiteral("Mode Setting"));
    tab_ctrl.InsertItem(kVideoTab, QStringLiteral("Video Setting"));
    tab_ctrl.InsertItem(kPhotoTab, QStringLiteral("Photo Setting"));
    tab_ctrl.InsertItem(kSystemTab, QStringLiteral("System Setting"));
    tab_ctrl.InsertItem(kImageTab, QStringLiteral("Image Setting"));

    // Creating a page pushes the members into it, and every page starts hidden.
    mode_page.Create(tab_ctrl.widget());
    video_page.Create(tab_ctrl.widget());
    photo_page.Create(tab_ctrl.widget());
    system_page.Create(tab_ctrl.widget());
    image_page.Create(tab_ctrl.widget());

    const QRect client = tab_ctrl->rect();
    for (CDialog* page : {static_cast<CDialog*>(&mode_page), static_cast<CDialog*>(&video_page),
                          static_cast<CDialog*>(&image_page), static_cast<CDialog*>(&photo_page),
                          static_cast<CDialog*>(&system_page)}) {
        page->setGeometry(1, client.top() + kPageTop, client.width() - 5, client.height() - 30);
    }

    pages = {&mode_page, &video_page, &photo_page, &system_page, &image_page};
    current_page = kModeTab;
    pages[current_page]->show();
}

void CQuillmarVS2010Dlg::OnTabSelChange() {
    // Only hides and shows: no page is read, written or validated.
    pages[current_page]->hide();
    current_page = tab_ctrl.GetCurSel();
    pages[current_page]->show();
}

}  // namespace quillmar
