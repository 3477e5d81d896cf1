#pragma once
// The main window (template 102): card list, profile list, the tab control
// with the five settings pages, and the commands beside them. It owns
// everything that lives as long as the program.
//
// The same source on every system: only the dialog layer, the core and the
// standard library. What each system does its own way (the window menu and
// keys, the status line, the card row menu and eject, watching devices and
// cfg.ini) sits behind the few hooks marked "per system" below, defined in
// main_window_qt.cpp (Linux) and main_window_win32.cpp (Windows).

#include "cards/card_list.h"
#include "platform/drive_source.h"
#include "platform/durable_file.h"
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
#include "ui/status_line.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace quillmar {

// Window-menu commands besides SC_CLOSE (command_ids.h).
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

// Tab indices, in the order the tabs are shown.
enum MainTab : int { kModeTab = 0, kVideoTab, kPhotoTab, kSystemTab, kImageTab, kTabCount };

class CQuillmarVS2010Dlg : public CDialog, private ProfilePages {
public:
    // `drives` lists the removable drives; this machine's by default.
    explicit CQuillmarVS2010Dlg(AppOptions options = {}, std::unique_ptr<DriveSource> drives = OpenSystemDrives());

    // Runs a window-menu command: the About box, or Close.
    void OnSysCommand(unsigned id);

    // The line that reports a written card; other news may join it.
    // Null before the window is created.
    StatusLine* Status() const { return status_; }

    // Read access for the program's tests.
    CDialog& Page(int tab) const { return *pages_[size_t(tab)]; }
    int CurrentPage() const { return current_page_; }
    SettingsSelection& CurrentSelection() { return selection_; }
    const ProfileStore& Store() const { return store_; }
    // A device arrived or went (DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE);
    // the system's device watch calls it, tests may too. Always true.
    bool OnDeviceChange(std::uint32_t event, std::uintptr_t data = 0);
    // "Load Settings from Card" of a card row's menu: puts the card's
    // camera.conf on the pages and says what it took.
    void OnLoadSettingsFromCard(const std::string& root);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    // Enter and Escape never end the window: one stray key would drop the
    // unsaved choices. Enter still presses a focused button.
    void OnOK() override {}
    void OnCancel() override {}
    // The close box, Alt+F4, Ctrl+Q and the window menu's Close end it,
    // saving nothing.
    void OnClose() override { EndDialog(IDCANCEL); }
    // Per system: the window menu where the system gives a program none.
    void OnContextMenu(int x, int y) override;

private:
    // --- start-up and tabs (main_window.cpp)
    void SetUpTabs();
    void OnTabSelChange();

    // --- per system (main_window_qt.cpp, main_window_win32.cpp) ---
    // The window menu with About, the keys (Ctrl+Q and Alt+F4 close, F1
    // opens About), the window's icon, the status line (sets status_) and
    // what clears it, the card list's look and its row menu (Load, Eject),
    // the device and cfg.ini watches. Runs once, after the tabs and the card
    // list are set up.
    void SetUpSystemParts();
    // After "Set": `text` in the status line; for a drive (`root` not a
    // --card folder, not empty) with what the system offers to do next.
    void ShowWrittenNews(const std::string& text, const std::string& root);
    // Why `root` cannot be ejected now; empty when it can.
    std::string EjectUnavailableReason(const std::string& root) const;
    // Sizes the card list's columns to the rows it now shows.
    void FitCardColumns();
    // What the system's side keeps (system_, below).
    struct SystemParts;
    struct SystemPartsDeleter {
        void operator()(SystemParts* parts) const;
    };

    // --- "Set" (main_window_set.cpp)
    void OnSet();
    // Pull or push every page in the order Mode, Video, Image, Photo, System.
    void PullPages();
    void PushPages();
    // Says in the status line which card got the file, and when.
    void ReportWritten();
    // Success when the chosen card can still receive the file.
    WriteOutcome CheckTargetStillThere() const;
    // Asks before a camera.conf that erases the card is written; No is the
    // default. True when the user answered Yes.
    bool ConfirmFormat();
    // Names where the values next pushed into the pages come from, for the
    // groups that keep a value they have no radio for.
    void SetHeldOrigin(const std::string& words);

    // --- profiles (main_window_profiles.cpp)
    void LoadProfiles();
    // Lists the profiles of the file as another program left it.
    void RefreshProfileList();
    void ApplyProfile();
    void PullPage(int section) override;
    // Shows a failed profile-file operation; false when it failed.
    bool ReportProfileOutcome(const WriteOutcome& outcome);
    void FillProfileList();
    void OnNewProfile();
    // False when the name is refused (the user was told why).
    bool CreateProfile(const std::string& name);
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
    void OnCardItemChanged();
    // Whether `root` is a --card folder rather than a drive's root.
    bool IsCardFolder(const std::string& root) const;
    const std::string& TargetRoot() const { return cards_.TargetRoot(); }

    AppOptions options_;
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
    std::unique_ptr<DriveSource> drives_;
    CardList cards_{card_view_, *drives_, options_.card_folders};
    StatusLine* status_ = nullptr;  // owned by system_
    // Last, so that it goes first: what it watches and connects lives on.
    std::unique_ptr<SystemParts, SystemPartsDeleter> system_;
};

}  // namespace quillmar
