#pragma once
// The main window (template 102): card list, profile list, the tab control
// with the five settings pages, and the commands beside them. It owns
// everything that lives as long as the program.

#include "cards/card_list.h"
#include "platform/device_change_watcher.h"
#include "platform/durable_file.h"
#include "platform/mounted_drive_source.h"
#include "platform/system_paths.h"
#include "profiles/profile_store.h"
#include "settings/settings_selection.h"
#include "ui/app_options.h"
#include "ui/card_list_control.h"
#include "ui/dialog/controls.h"
#include "ui/dialog/dialog.h"
#include "ui/pages/image_page.h"
#include "ui/pages/mode_page.h"
#include "ui/pages/photo_page.h"
#include "ui/pages/system_page.h"
#include "ui/pages/video_page.h"
#include "ui/status_area.h"

#include <QIcon>
#include <QMenu>

#include <array>
#include <memory>

class QPushButton;

namespace quillmar {

// Window-menu commands.
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;
inline constexpr unsigned SC_CLOSE = 0xF060;

// Tab indices, in the order the tabs are shown.
enum MainTab : int { kModeTab = 0, kVideoTab, kPhotoTab, kSystemTab, kImageTab, kTabCount };

class CardContextMenu;
class CardEjector;
struct EjectOutcome;

class CQuillmarVS2010Dlg : public CDialog, private ProfilePages {
public:
    // `paths` says where the drives are looked up; the live system's by default.
    explicit CQuillmarVS2010Dlg(AppOptions options = {}, SystemPaths paths = {});
    // Forgets the pages first: while they are destroyed, hiding one moves
    // the focus, and the Tab walk must not reach a page half gone.
    ~CQuillmarVS2010Dlg() override;

    // Runs a window-menu command: the About box, or the platform's default.
    void OnSysCommand(unsigned id);
    // The window menu (a context menu here: Linux desktops give programs no
    // system menu of their own). Built by OnInitDialog.
    QMenu* SystemMenu() const { return system_menu_; }

    // The strip that reports a written card; other news may join it.
    StatusArea* Status() const { return status_area_; }

    // Read access for the program's tests.
    CDialog& Page(int tab) const { return *pages_[tab]; }
    int CurrentPage() const { return current_page_; }
    SettingsSelection& CurrentSelection() { return selection_; }
    const ProfileStore& Store() const { return store_; }
    // A device arrived or went (DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE);
    // the device watcher calls it, tests may too. Always true.
    bool OnDeviceChange(quint32 event, quintptr data = 0);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Enter and Escape never end the window: one stray key would drop the
    // unsaved choices. Enter still presses a focused button.
    void keyPressEvent(QKeyEvent* event) override;
    // The current page's stops follow the tabs, in the tab control's place.
    void AppendTabStops(const ControlTemplate& control, QWidget* widget, std::vector<TabStop>& stops) const override;

private:
    // --- start-up and tabs (main_window.cpp)
    void SetUpSystemMenu();
    // Ctrl+Q and Alt+F4 end the window, F1 opens the About box.
    void SetUpKeys();
    // The status strip, and what clears it: any change of card or settings.
    void SetUpStatusArea();
    void SetUpTabs();
    void OnTabSelChange();

    // --- "Set" (main_window_set.cpp)
    void OnSet();
    // Pull or push every page in the order Mode, Video, Image, Photo, System.
    void PullPages();
    void PushPages();
    // Says in the status strip which card got the file, and when.
    void ReportWritten();
    // Success when the chosen card can still receive the file.
    WriteOutcome CheckTargetStillThere() const;
    // Asks before a camera.conf that erases the card is written; No is the
    // default. True when the user answered Yes.
    bool ConfirmFormat();
    // Names where the values next pushed into the pages come from, for the
    // groups that keep a value they have no radio for.
    void SetHeldOrigin(const QString& words);

    // --- profiles (main_window_profiles.cpp)
    void LoadProfiles();
    void ApplyProfile();
    void PullPage(int section) override;
    // Shows a failed profile-file operation; false when it failed.
    bool ReportProfileOutcome(const WriteOutcome& outcome);
    void FillProfileList();
    void OnNewProfile();
    // False when the name is refused (the user was told why).
    bool CreateProfile(const QString& name);
    void OnDelProfile();
    void OnSaveProfile();
    void OnSelchangeProfileList();
    // After a profile was chosen or applied: says so when it formats the card.
    void ReportProfileFormats();
    // After a save: names the values the profile will read back as others.
    void ReportReadBack();

    // --- card list (main_window_cards.cpp)
    void SetUpCardList();
    void RefreshCardList();
    // Sizes the columns to the rows the list now shows.
    void FitCardColumns();
    void OnCardItemChanged();
    // Whether the chosen card is a --card folder rather than a drive's root.
    bool TargetIsCardFolder() const;
    QString TargetRoot() const { return QString::fromStdString(cards_.TargetRoot()); }

    // --- a card row's menu: load, eject (main_window_card_actions.cpp)
    void SetUpCardActions();
    void OnCardMenuRequest(int row, const QPoint& globalPos);
    void OnLoadSettingsFromCard(const QString& root);
    void OnEjectCard(const QString& root);
    void OnEjectFinished(const QString& root, const EjectOutcome& outcome);
    // Why `root` cannot be ejected now; empty when it can.
    QString EjectUnavailableReason(const QString& root) const;
    bool IsCardFolder(const QString& root) const;
    // The status strip's actions after a written card: Eject, when it can be.
    QList<QWidget*> OfferAfterSet(const QString& root);

    AppOptions options_;
    SystemPaths system_paths_;
    QIcon app_icon_;
    QIcon card_images_;
    QFont list_font_;
    std::array<CDialog*, kTabCount> pages_{};
    int current_page_ = 0;
    CTabCtrl tab_ctrl_;
    // Every choice of the five pages; a new selection holds 0 everywhere,
    // the pages' values before any profile is applied.
    SettingsSelection selection_;
    CDlgTab1 mode_page_{selection_};
    CDlgTab2 video_page_{selection_};
    CDlgTab3 image_page_{selection_};
    CDlgTab4 photo_page_{selection_};
    CDlgTab5 system_page_{selection_};
    // The profile file and state live in the store, which reaches the pages
    // through PullPage.
    ProfileStore store_;
    CListBox profile_list_;
    CListCtrl card_list_;
    CardListControl card_view_{card_list_};
    MountedDriveSource drives_{system_paths_};
    CardList cards_{card_view_, drives_, Utf8Strings(options_.card_folders)};
    std::unique_ptr<DeviceChangeWatcher> device_watcher_;
    QMenu* system_menu_ = nullptr;
    StatusArea* status_area_ = nullptr;
    CardContextMenu* card_menu_ = nullptr;
    QPushButton* eject_offer_ = nullptr;  // in the status strip after "Set"
    QString offered_root_;                // the card eject_offer is for
    CardEjector* ejector_ = nullptr;      // the eject under way, if any
};

}  // namespace quillmar
