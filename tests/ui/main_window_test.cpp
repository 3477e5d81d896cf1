// The main window: start-up state, tabs, ending and "Set".

#include "settings/camera_conf.h"
#include "support/child_process.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"
#include "ui_test_support.h"

#include <sys/stat.h>

namespace quillmar {

namespace {

using test_support::ReadAll;
using ui_test::Click;
using ui_test::IsChecked;

class MainWindowTest : public ui_test::MainWindowFixture {
protected:
    MainWindowTest() { Open(); }

    // The clock line carries the time of the write: leave it out.
    void UntickClock() {
        ChooseTab(kSystemTab);
        Click(window_->Page(kSystemTab), IDC_SYNC_CLOCK);
    }
    // Starts the window with `folder` offered as a card (--card).
    void OpenWithCard(const QString& folder) {
        Open(AppOptions{{folder}, {}});
        UntickClock();
    }
};

TEST_F(MainWindowTest, FirstStartShowsTheModeTabAtTheDefaults) {
    for (int tab = kModeTab; tab < kTabCount; ++tab) EXPECT_EQ(window_->Page(tab).isVisible(), tab == kModeTab) << tab;
    EXPECT_TRUE(window_->windowTitle() == "TORVEX" &&
                IsChecked(window_->Page(kSystemTab), IDC_SYNC_CLOCK));  // clock box
    EXPECT_TRUE(Items() == QStringList{"default"} && SelectedRow() == 0);
    // Every page at its default: saving them into "default" changes no byte.
    for (int save = 0; save < 2; ++save, Click(*window_, IDC_SAVE_PROFILE))
        EXPECT_EQ(Cfg(), profile_test::kFirstUseFile);
    EXPECT_TRUE(boxes_.empty());
}

// Switching only hides and shows: a choice survives it.
TEST_F(MainWindowTest, TabsShowTheirPages) {
    const int expectedTemplate[] = {IDD_TAB_MODE, IDD_TAB_VIDEO, IDD_TAB_PHOTO, IDD_TAB_SYSTEM, IDD_TAB_IMAGE};
    const QStringList texts = {"Mode Setting", "Video Setting", "Photo Setting", "System Setting", "Image Setting"};
    ChooseTab(kImageTab);
    Click(window_->Page(kImageTab), IDC_WB_DAYLIGHT);
    for (const int tab : {kPhotoTab, kVideoTab, kSystemTab, kModeTab, kImageTab}) {
        ChooseTab(tab);
        EXPECT_TRUE(Tabs()->tabText(tab) == texts[tab] && window_->Page(tab).Template().id == expectedTemplate[tab]);
        for (int other = 0; other < kTabCount; ++other)
            EXPECT_EQ(window_->Page(other).isVisible(), other == tab) << "tab " << tab << " page " << other;
    }
    EXPECT_TRUE(IsChecked(window_->Page(kImageTab), IDC_WB_DAYLIGHT));
}

// The file goes to the card and holds what the pages show at the press.
TEST_F(MainWindowTest, SetWritesWhatThePagesShow) {
    QTemporaryDir card;
    OpenWithCard(card.path());
    // A burst: auto-shoot is written off, and "2 Seconds" cannot be chosen after it.
    for (const auto& [tab, id] : {std::pair{kModeTab, IDC_MODE1_1920X1080P30},
                                  {kImageTab, IDC_WB_DAYLIGHT},
                                  {kPhotoTab, IDC_BURST_3_P},
                                  {kPhotoTab, IDC_AUTO_SHOOT_2_SECONDS}}) {
        ChooseTab(tab);
        Click(window_->Page(tab), id);
    }
    Click(*window_, IDC_SET);
    QByteArray expected = QByteArray::fromStdString(BuildCameraConfText(SettingsSelection::Defaults(0), 0));
    expected.replace("mode_1=1920x1080p 60", "mode_1=1920x1080p 30").replace("image_wb=auto", "image_wb=incencas");
    expected.replace("auto_shoot=3s", "auto_shoot=off").replace("photo_burst=off", "photo_burst=3p");
    EXPECT_EQ(ReadAll(card.filePath("camera.conf")), expected);
    EXPECT_TRUE(FolderEntries() == QStringList{"cfg.ini"} && boxes_.empty());
}

// A pulled drive leaves its empty mount folder behind; a pulled --card
// folder is gone altogether. Neither gets a file, nor does the working
// directory.
TEST_F(MainWindowTest, SetToAPulledCardShowsTheErrorAndWritesNothing) {
    QTemporaryDir emptyMountFolder, cardFolder;
    for (const bool drive : {true, false}) {
        if (drive) {
            CListCtrl list;
            list.Attach(window_->GetDlgItem(IDC_CARD_LIST)), list.InsertItem(0, emptyMountFolder.path() + u'/');
            list.SelectItem(0);
        } else {
            OpenWithCard(cardFolder.path());
            ASSERT_TRUE(QDir().rmdir(cardFolder.path()));
        }
        boxes_.clear();
        Click(*window_, IDC_SET);
        ASSERT_EQ(boxes_.size(), 1u) << drive;
        EXPECT_TRUE((boxes_[0].style & MB_ICONERROR) && boxes_[0].owner == window_.get());
        EXPECT_TRUE(boxes_[0].text.contains("no longer there")) << boxes_[0].text.toStdString();
        EXPECT_TRUE(QDir(emptyMountFolder.path()).isEmpty() && FolderEntries() == QStringList{"cfg.ini"});
        EXPECT_EQ(QFileInfo::exists(cardFolder.path()), drive) << "no folder is made for a pulled card";
    }
}

// A write-protected card and a full one: the box says which, with the
// card's path, and the card keeps no file. Root writes anywhere, so the
// press happens in a child that gave root up or met a file-size limit.
TEST_F(MainWindowTest, SetToAReadOnlyOrFullCardShowsTheError) {
    QTemporaryDir card;
    OpenWithCard(card.path());
    const QByteArray folder = QFile::encodeName(card.path());
    for (const bool full : {false, true}) {
        ASSERT_EQ(::chmod(folder.constData(), full ? 0755 : 0555), 0);
        const int status = test_support::RunInChild([&] {
            if (!(full ? test_support::LimitFileSize(64) : test_support::DropRootPrivileges())) return 10;
            Click(*window_, IDC_SET);
            const QString text = boxes_.size() == 1 && (boxes_[0].style & MB_ICONERROR) ? boxes_[0].text : QString();
            return text.contains(full ? "card is full" : "write-protected") && text.contains(card.path()) ? 0 : 11;
        });
        ::chmod(folder.constData(), 0755);
        EXPECT_EQ(status, 0) << "full: " << full;
        EXPECT_TRUE(QDir(card.path()).isEmpty()) << "full: " << full;
    }
}

}  // namespace

}  // namespace quillmar
