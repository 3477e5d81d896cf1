// The main window: what the pages show and give, the Photo page's
// interlock, "Set" to a card that works, is gone, write-protected or full,
// the status it leaves, and the window's size on a small screen.

#include "support/child_process.h"
#include "ui/card_display_name.h"
#include "ui/dialog/dialog_units.h"
#include "ui/dialog/window_fit.h"
#include "ui/templates/dialog_templates.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QRegularExpression>

#include <sys/stat.h>

namespace quillmar::ui_test {

namespace {

// Each mic volume position shows its label as the keyboard moves the
// slider; only the chosen tab's page shows. A radio or box gives its index:
// Daylight 2 (written "incencas"), Incandescent 3 (past the options: written
// as the last one); a click in the OSD run leaves the "Format" box inside
// it alone.
TEST_F(MainWindowTest, PagesShowLabelsAndGiveIndexes) {
    Open();
    QWidget* slider = Item(kVideoTab, IDC_MIC_VOLUME_SLIDER);
    auto* label = qobject_cast<QLabel*>(Item(kVideoTab, IDC_MIC_VOLUME_TEXT));
    EXPECT_EQ(label->text(), "80%");
    ChooseTab(kVideoTab);
    QTest::keyClick(slider, Qt::Key_Home);
    for (const char* shown : {"Mute", "50%", "60%", "70%", "80%", "90%", "100%"}) {
        EXPECT_EQ(label->text(), shown);
        QTest::keyClick(slider, Qt::Key_Right);
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
        for (int tab = 0; tab < kTabCount; ++tab) EXPECT_EQ(window_->Page(tab).IsWindowVisible(), tab == c.tab);
    }
    EXPECT_TRUE(Checked(kSystemTab, IDC_FORMAT_CARD));
}

// A burst locks the auto-shoot group off and disables it, an interval the
// burst group (the hidden "20 P" included); what shows is what "Set" writes.
TEST_F(MainWindowTest, PhotoPageShowsTheInterlock) {
    Open();
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
        EXPECT_TRUE(Checked(kPhotoTab, c.burst) && Checked(kPhotoTab, c.shoot)) << c.clicks.back();
        for (const int id : {IDC_BURST_OFF, IDC_BURST_20_P})
            EXPECT_EQ(Item(kPhotoTab, id)->isEnabled(), c.burst_enabled) << c.clicks.back();
        for (const int id : {IDC_AUTO_SHOOT_OFF, IDC_AUTO_SHOOT_60_SECONDS})
            EXPECT_EQ(Item(kPhotoTab, id)->isEnabled(), c.shoot_enabled) << c.clicks.back();
    }
}

// "Set" writes what the pages show (a Mode radio, the clock unticked) and
// names the card and the time in the status, which goes with the next
// change of settings, profile or card, but not with another tab.
TEST_F(MainWindowTest, StatusAfterSetLastsUntilTheNextChange) {
    QTemporaryDir parent;
    const QString card = parent.filePath("CAMERA_SD"), other = parent.filePath("OTHER");
    ASSERT_TRUE(QDir().mkpath(card) && QDir().mkpath(other));
    Open({card, other});
    const QRegularExpression written("^camera\\.conf written to CAMERA_SD at \\d\\d:\\d\\d$");
    QWidget* slider = Item(kVideoTab, IDC_MIC_VOLUME_SLIDER);
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"profile", [&] { NewProfile("second"), ClickItem(0); }},
        {"radio", [&] { ClickOn(kModeTab, IDC_MODE1_1920X1080P30); }},
        {"check box", [&] { ClickOn(kSystemTab, IDC_SYNC_CLOCK); }},
        {"slider", [&] { ChooseTab(kVideoTab), QTest::keyClick(slider, Qt::Key_Left); }},
        {"card row", [&] { Cards()->selectRow(1), Cards()->selectRow(0); }},
        {"card", [&] { window_->OnDeviceChange(0x8000); }},
    };
    for (const auto& [what, change] : changes) {
        Click(*window_, IDC_SET);
        ChooseTab(kImageTab);  // which changes nothing
        EXPECT_TRUE(written.match(Status()).hasMatch()) << Status().toStdString();
        change();
        EXPECT_TRUE(Status().isEmpty()) << what;
    }
    const QByteArray conf = ReadAll(card + "/camera.conf");
    EXPECT_TRUE(conf.contains("\nmode_1=1920x1080p 30\r\n") && !conf.contains("sync_clock")) << conf.toStdString();
}

// "Set" that cannot write: no card listed, a pulled drive (its empty mount
// folder stays), a pulled --card folder, a write-protected and a full card.
// One error box says why and names the card; no status, no file anywhere.
// Root writes anywhere, so each press happens in a child, which gives root
// up or meets a file-size limit.
TEST_F(MainWindowTest, SetThatCannotWriteSaysWhyAndWritesNothing) {
    QTemporaryDir parent;
    const QString card = parent.filePath("CARD");
    const QByteArray cardPath = QFile::encodeName(card);
    ASSERT_EQ(::chmod(QFile::encodeName(parent.path()).constData(), 0755), 0);  // reachable without root
    const char* says[] = {"No memory card was found", "no longer there", "no longer there", "write-protected",
                          "card is full"};
    for (int c = 0; c < 5; ++c) {
        ASSERT_TRUE(QDir().mkpath(card) && ::chmod(cardPath.constData(), c == 3 ? 0555 : 0755) == 0);
        Open(c == 0 ? QStringList{} : QStringList{card});
        CListCtrl list;
        if (c == 1) list.Attach(Cards()), list.SelectItem(list.InsertItem(0, ToUtf8(parent.path() + u'/')));
        ASSERT_TRUE(c != 2 || QDir().rmdir(card));
        const int status = test_support::RunInChild([&] {
            if (!(c == 4 ? test_support::LimitFileSize(64) : c != 3 || test_support::DropRootPrivileges())) return 10;
            Click(*window_, IDC_SET);
            const Box box = boxes_.size() == 1 ? boxes_[0] : Box{};
            const bool error = (box.style & MB_ICONERROR) && box.owner == window_.get() && Status().isEmpty();
            const QString where = c == 0 ? QString() : c == 1 ? parent.path() : card;
            return error && box.text.contains(says[c]) && box.text.contains(where) ? 0 : 11;
        });
        ::chmod(cardPath.constData(), 0755);
        EXPECT_EQ(status, 0) << says[c];
        EXPECT_TRUE(OnlyCfgWritten() && test_support::Entries(parent.path()) == QStringList(c == 2 ? 0 : 1, "CARD") &&
                    QDir(card).isEmpty())
            << c << " (no folder is made for a pulled card)";
    }
}

// The card's name is its folder's; the system root and a drive letter stay.
TEST(CardCellsTest, DeviceShowsTheFolderName) {
    EXPECT_TRUE(CardDisplayName("/run/media/u/NO NAME/") == "NO NAME" && CardDisplayName("/") == "/" &&
                CardDisplayName("E:\\") == "E:");
}

// A window too big for the screen's free area gets scroll bars.
TEST(WindowFitTest, FittedWindowSize) {
    EXPECT_EQ(FittedWindowSize({1157, 844}, {1280, 1200}, 15), QSize(1157, 844));  // fits: unchanged
    EXPECT_EQ(FittedWindowSize({1157, 844}, {1160, 700}, 15), QSize(1160, 700));   // a bar makes it too wide too
    EXPECT_EQ(FittedWindowSize({1157, 844}, {1000, 900}, 15), QSize(1000, 859));   // a horizontal bar, full height
}

// Every handler of a control's notification runs, in the order added.
TEST(DialogTest, EveryRouteOfANotificationRuns) {
    test_support::EnsureQtApplication();
    struct TwoRoutes : CDialog {
        std::string ran;
        TwoRoutes() : CDialog(kAboutBoxTemplate) {
            for (const char* name : {"a", "b"}) On(IDOK, Notification::kClicked, [this, name] { ran += name; });
        }
    } dialog;
    dialog.CreateTopLevel();
    dialog.OnCommand(IDOK);
    EXPECT_EQ(dialog.ran, "ab");
}

// Base units 6 × 13, those of an 8-point dialog font on a 96-dpi screen;
// each value maps on its own and halves round away from zero.
TEST(DialogUnitsTest, MapsEachValueOnItsOwn) {
    EXPECT_EQ(DialogUnits(6, 13).ToPixels(7, 7, 436, 74), QRect(11, 11, 654, 120));
    EXPECT_EQ(DialogUnits(6, 13).ToPixels(382, 81, 269, 27), QRect(573, 132, 404, 44));
}

}  // namespace

}  // namespace quillmar::ui_test
