#include "ui/main_window.h"

#include "ui/about_dlg.h"
#include "ui/dialog/data_exchange.h"
#include "ui/resources.h"
#include "ui/templates/dialog_templates.h"

#include <QContextMenuEvent>
#include <QDir>

namespace {

// Pages sit this far below the top of the tab control, under the tabs.
constexpr int kPageTop = 26;

}  // namespace

CQuillmarVS2010Dlg::CQuillmarVS2010Dlg(AppOptions appOptions)
    : CDialog(kMainWindowTemplate), options(std::move(appOptions)), app_icon(LoadIconResource(IDR_MAINFRAME)) {
    On(1002, Notification::SelChange, [this] { OnTabSelChange(); });
    On(1006, Notification::Clicked, [this] { OnSet(); });
    On(1003, Notification::Clicked, [this] { OnNewProfile(); });
    On(1004, Notification::Clicked, [this] { OnDelProfile(); });
    On(1062, Notification::Clicked, [this] { OnSaveProfile(); });
    On(1001, Notification::SelChange, [this] { OnSelchangeProfileList(); });
    On(1000, Notification::ItemChanged, [this] { OnCardItemChanged(); });
}

void CQuillmarVS2010Dlg::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, 1002, tab_ctrl);
    DDX_Control(dx, 1001, profile_list);
    DDX_Control(dx, 1000, card_list);
}

bool CQuillmarVS2010Dlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetUpSystemMenu();
    setWindowIcon(app_icon);
    work_dir = QDir::currentPath();
    cfg_path = options.configPath.isEmpty() ? QDir(work_dir).filePath(QStringLiteral("cfg.ini"))
                                            : options.configPath;
    // The profile goes into the members before the pages exist, so that each
    // page shows it when it is created.
    LoadProfiles();
    SetUpTabs();
    SetUpCardList();
    FillProfileList();
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
