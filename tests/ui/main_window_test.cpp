// The main window: start-up state, tabs, what the pages give, and "Set" to
// a card that works, is gone, write-protected or full.

#include "support/child_process.h"
#include "ui/dialog/dialog_units.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QSlider>

#include <sys/stat.h>

namespace quillmar {

namespace {

using test_support::ReadAll;
using ui_test::Click;
using ui_test::IsChecked;

class MainWindowTest : public ui_test::MainWindowFixture {
protected:
    MainWindowTest() { Open(); }

    // Starts the window with `folder` offered as a card (--card), without
    // the clock line, which carries the time of the write.
    void OpenWithCard(const QString& folder) {
        Open(AppOptions{{folder}, {}});
        ClickOn(kSystemTab, IDC_SYNC_CLOCK);
    }
};

// The Mode tab at the defaults; saving them into "default" changes no byte.
// Switching tabs only hides and shows: a choice survives it.
TEST_F(MainWindowTest, FirstStartAndTabs) {
    EXPECT_TRUE(window_->windowTitle() == "TORVEX" && IsChecked(window_->Page(kSystemTab), IDC_SYNC_CLOCK));
    EXPECT_TRUE(Items() == QStringList{"default"} && SelectedRow() == 0);
    for (int tab = kModeTab; tab < kTabCount; ++tab) EXPECT_EQ(window_->Page(tab).isVisible(), tab == kModeTab) << tab;
    Click(*window_, IDC_SAVE_PROFILE);
    EXPECT_EQ(Cfg(), profile_test::kFirstUseFile);
    ClickOn(kImageTab, IDC_WB_DAYLIGHT);
    for (const int tab : {kPhotoTab, kVideoTab, kSystemTab, kModeTab, kImageTab}) {
        ChooseTab(tab);
        for (int other = 0; other < kTabCount; ++other) EXPECT_EQ(window_->Page(other).isVisible(), other == tab);
    }
    EXPECT_EQ(Tabs()->tabText(kImageTab), "Image Setting");
    EXPECT_TRUE(IsChecked(window_->Page(kImageTab), IDC_WB_DAYLIGHT) && boxes_.empty());
}

// The file goes to the card and holds what the pages show at the press.
TEST_F(MainWindowTest, SetWritesWhatThePagesShow) {
    QTemporaryDir card;
    OpenWithCard(card.path());
    ClickOn(kModeTab, IDC_MODE1_1920X1080P30);
    ClickOn(kPhotoTab, IDC_BURST_3_P);
    Click(*window_, IDC_SET);
    const QByteArray written = ReadAll(card.filePath("camera.conf"));
    EXPECT_TRUE(written.contains("\nmode_1=1920x1080p 30\r\n") && written.contains("\nphoto_burst=3p\r\n") &&
                !written.contains("sync_clock"))
        << written.toStdString();
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
        EXPECT_TRUE((boxes_[0].style & MB_ICONERROR) && boxes_[0].text.contains("no longer there")) << drive;
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

// Each mic volume position shows its label as the keyboard moves the
// slider; a radio or box gives its index, Daylight 2 (written "incencas"),
// Incandescent 3 (past the options: written as the last one). A click in
// the OSD run leaves the "Format" box inside it alone.
TEST_F(MainWindowTest, PagesShowLabelsAndGiveIndexes) {
    const char* labels[] = {"Mute", "50%", "60%", "70%", "80%", "90%", "100%"};
    CDialog& video = window_->Page(kVideoTab);
    auto* label = qobject_cast<QLabel*>(video.GetDlgItem(IDC_MIC_VOLUME_TEXT));
    EXPECT_EQ(label->text(), "80%");
    ChooseTab(kVideoTab);
    auto* slider = qobject_cast<QSlider*>(video.GetDlgItem(IDC_MIC_VOLUME_SLIDER));
    QTest::keyClick(slider, Qt::Key_Home);
    for (int position = 0; position < 7; ++position, QTest::keyClick(slider, Qt::Key_Right)) {
        video.UpdateData(true);
        EXPECT_TRUE(label->text() == labels[position] && window_->CurrentSelection().At(keys::kMicVol) == position);
    }
    const struct {
        int tab, click_id;
        SettingsKeyRef key;
        int index;
    } cases[] = {{kImageTab, IDC_WB_DAYLIGHT, keys::kImageWb, 2},
                 {kImageTab, IDC_WB_INCANDESCENT, keys::kImageWb, 3},
                 {kSystemTab, IDC_DATEFMT_MM_DD_YYYY_HH_MM_SS, keys::kDatefmt, 2},
                 {kSystemTab, IDC_FORMAT_CARD, keys::kFormat, 1},
                 {kSystemTab, IDC_OSD_OFF, keys::kOsd, 0}};
    for (const auto& c : cases) {
        ClickOn(c.tab, c.click_id);
        window_->Page(c.tab).UpdateData(true);
        EXPECT_EQ(window_->CurrentSelection().At(c.key), c.index) << c.click_id;
    }
    EXPECT_TRUE(IsChecked(window_->Page(kSystemTab), IDC_FORMAT_CARD));
}

// Base units 6 × 13, those of an 8-point dialog font on a 96-dpi screen;
// each value maps on its own and halves round away from zero.
TEST(DialogUnitsTest, MapsEachValueOnItsOwn) {
    EXPECT_EQ(DialogUnits(6, 13).ToPixels(7, 7, 436, 74), QRect(11, 11, 654, 120));
    EXPECT_EQ(DialogUnits(6, 13).ToPixels(1, 4, 1, 4), QRect(2, 7, 2, 7));
    EXPECT_EQ(DialogUnits(6, 13).ToPixels(382, 81, 269, 27), QRect(573, 132, 404, 44));
}

}  // namespace

}  // namespace quillmar
