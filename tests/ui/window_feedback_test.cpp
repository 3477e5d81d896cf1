// What the window tells the user: the message when there is no card, the
// status after "Set" and its end, the card's name, the window's size on a small
// screen, and the Photo page's interlock.

#include "ui/card_cells.h"
#include "ui/dialog/window_fit.h"
#include "ui_test_support.h"

#include <QRegularExpression>
#include <QTableWidget>

namespace quillmar {

namespace {

using ui_test::Click;

using WindowFeedbackTest = ui_test::MainWindowFixture;

// No card in the list: a message, and no file anywhere.
TEST_F(WindowFeedbackTest, SetWithoutACardWritesNothing) {
    Open();
    ASSERT_EQ(qobject_cast<QTableWidget*>(window_->GetDlgItem(IDC_CARD_LIST))->rowCount(), 0)
        << "this machine has a removable drive; the test needs none";
    Click(*window_, IDC_SET);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].text.contains("No memory card was found") && boxes_[0].owner == window_.get());
    EXPECT_TRUE(FolderEntries() == QStringList{"cfg.ini"} && Status().isEmpty());
}

// The status names the card and the time, and goes with the next change of
// settings, profile or card; a failed "Set" shows none.
TEST_F(WindowFeedbackTest, StatusAfterSetLastsUntilTheNextChange) {
    QTemporaryDir parent;
    const QString card = parent.filePath("CAMERA_SD"), other = parent.filePath("OTHER");
    ASSERT_TRUE(QDir().mkpath(card) && QDir().mkpath(other));
    Open(AppOptions{{card, other}, {}});
    auto* rows = qobject_cast<QTableWidget*>(window_->GetDlgItem(IDC_CARD_LIST));
    const QRegularExpression written("^camera\\.conf written to CAMERA_SD at \\d\\d:\\d\\d$");
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"radio", [&] { ClickOn(kModeTab, IDC_MODE1_1920X1080P30); }},
        {"check box", [&] { ClickOn(kSystemTab, IDC_SYNC_CLOCK); }},
        {"slider",
         [&] {
             ChooseTab(kVideoTab);
             QTest::keyClick(window_->Page(kVideoTab).GetDlgItem(IDC_MIC_VOLUME_SLIDER), Qt::Key_Left);
         }},
        {"profile", [&] { NewProfile("second"), ClickItem(0); }},
        {"card row", [&] { rows->selectRow(1), rows->selectRow(0); }},
        {"card", [&] { window_->OnDeviceChange(0x8000); }},
    };
    for (const auto& [what, change] : changes) {
        Click(*window_, IDC_SET);
        EXPECT_TRUE(written.match(Status()).hasMatch()) << Status().toStdString();
        ChooseTab(kImageTab);  // switching tabs changes nothing
        EXPECT_FALSE(Status().isEmpty());
        change();
        EXPECT_TRUE(Status().isEmpty()) << what;
    }
    ASSERT_TRUE(QDir(card).removeRecursively());
    Click(*window_, IDC_SET);
    EXPECT_TRUE(Status().isEmpty() && boxes_.size() == 1);
}

TEST(CardCellsTest, DeviceShowsTheFolderName) {
    for (const auto& [root, shown] : {std::pair{"/media/u/CAMERA_SD/", "CAMERA_SD"},
                                      {"/run/media/u/NO NAME", "NO NAME"},
                                      {"/", "/"},
                                      {"E:\\", "E:"}})
        EXPECT_EQ(CardDisplayName(root), shown) << root;
}

TEST(WindowFitTest, FittedWindowSize) {
    const struct {
        QSize room, fitted;
    } cases[] = {
        {{1280, 1200}, {1157, 844}},      // fits: unchanged
        {{1160, 700}, {1160, 700}},       // the vertical bar makes it too wide too
        {{1000, 900}, {1000, 844 + 15}},  // too wide: a horizontal bar, full height
    };
    for (const auto& c : cases) EXPECT_EQ(FittedWindowSize({1157, 844}, c.room, 15), c.fitted) << c.room.width();
}

// A burst locks the auto-shoot group off and disables it, an interval the
// burst group (the hidden "20 P" included); what shows is what "Set" writes.
TEST_F(WindowFeedbackTest, PhotoPageShowsTheInterlock) {
    Open();
    CDialog& photo = window_->Page(kPhotoTab);
    const struct {
        std::vector<int> clicks;
        int burst, shoot;  // the radios then checked
        bool burst_enabled, shoot_enabled;
    } cases[] = {
        {{IDC_BURST_3_P, IDC_AUTO_SHOOT_2_SECONDS}, IDC_BURST_3_P, IDC_AUTO_SHOOT_OFF, true, false},
        {{IDC_BURST_OFF, IDC_AUTO_SHOOT_5_SECONDS}, IDC_BURST_OFF, IDC_AUTO_SHOOT_5_SECONDS, false, true},
        {{IDC_AUTO_SHOOT_OFF}, IDC_BURST_OFF, IDC_AUTO_SHOOT_OFF, true, true},
        {{IDC_BURST_10_P, IDC_BURST_OFF}, IDC_BURST_OFF, IDC_AUTO_SHOOT_OFF, true, true},
    };
    for (const auto& c : cases) {
        for (const int id : c.clicks) ClickOn(kPhotoTab, id);
        const std::string what = std::to_string(c.clicks.back());
        EXPECT_TRUE(ui_test::IsChecked(photo, c.burst) && ui_test::IsChecked(photo, c.shoot)) << what;
        for (const int id : {IDC_BURST_OFF, IDC_BURST_3_P, IDC_BURST_10_P, IDC_BURST_20_P})
            EXPECT_EQ(photo.GetDlgItem(id)->isEnabled(), c.burst_enabled) << what;
        for (const int id : {IDC_AUTO_SHOOT_OFF, IDC_AUTO_SHOOT_1_SECOND, IDC_AUTO_SHOOT_60_SECONDS})
            EXPECT_EQ(photo.GetDlgItem(id)->isEnabled(), c.shoot_enabled) << what;
    }
}

}  // namespace

}  // namespace quillmar
