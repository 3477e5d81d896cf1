// A card row's menu in the window: Load puts a card's camera.conf on the
// pages, Eject goes through a stand-in UDisks2 on a private bus, and a
// "Set" to a drive offers Eject in the status strip.

#include "support/cli_runner.h"
#include "support/fake_system_tree.h"
#include "support/tmpfs_mount.h"
#include "support/udisks_standin.h"
#include "ui_test_support.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace quillmar::ui_test {

namespace {

using namespace test_support;

const QString kDriveA = "/org/freedesktop/UDisks2/drives/Reader_A";
const QString kDriveB = "/org/freedesktop/UDisks2/drives/Reader_B";
const QString kSdc1 = "/org/freedesktop/UDisks2/block_devices/sdc1";

// The system bus is a private one for the whole program, set before Qt
// first reaches for it; each test starts its own stand-in service.
const QString& BusAddress() {
    static PrivateBus* bus = new PrivateBus;  // left for the system to end at exit
    static const bool kSet = qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus->Address().toUtf8());
    Q_UNUSED(kSet);
    return bus->Address();
}

class CardActionsTest : public MainWindowTest {
protected:
    CardActionsTest() { BusAddress(); }

    int RowOf(const QString& root) const {
        for (int row = 0; row < Cards()->rowCount(); ++row)
            if (Cards()->item(row, 0)->text() == root) return row;
        return -1;
    }
    QPushButton* EjectOffer() const { return dynamic_cast<StatusArea*>(window_->Status())->findChild<QPushButton*>(); }

    // Opens the card menu on `row` with the mouse or with Shift+F10 on the
    // focused list; null when no card menu opened.
    QMenu* OpenMenu(int row, bool keyboard = false) {
        if (keyboard) {
            Cards()->selectRow(row), Cards()->setFocus();
            QTest::keyClick(Cards(), Qt::Key_F10, Qt::ShiftModifier);
        } else {
            const QPoint at = Cards()->visualItemRect(Cards()->item(row, 0)).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, Cards()->viewport()->mapToGlobal(at));
            QApplication::sendEvent(Cards()->viewport(), &event);
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return menu && !IsWindowMenu(menu) ? menu : nullptr;
    }
};

// Load from a row's menu. A card without camera.conf: a box, and the pages
// as they were. A file the command-line tool wrote, loaded from the
// keyboard's menu: all of it shows, and "Set" to another card writes the
// same bytes. A damaged file: the lines the camera understands are loaded,
// the others counted; keys the file lacks keep what the pages showed; a
// clock line ticks the clock box. Values the pages have no button for are
// named beside their groups and written back unchanged by "Set"; a profile
// saved from them says it will read two of them back as others.
TEST_F(CardActionsTest, LoadShowsTheCardsSettingsAndSetWritesThemBack) {
    QTemporaryDir empty, clean, damaged;
    QStringList args = {"write", "--card", clean.path(), "--no-sync-clock", "--config", WorkFile("none.ini")};
    for (const char* s : {"mode_1=1920x1080p 30", "mic_vol=mute", "tvmode=pal", "photo_burst=5p"}) args << "--set" << s;
    ASSERT_EQ(RunCli(args).exit_code, 0);
    ASSERT_TRUE(WriteRaw(damaged.filePath("camera.conf"),
                         "enable_cfg=true\r\nmode_1=1920x1080p 30\r\nbrightness=7\r\nimage_wb=purple\r\n"
                         "just some words\r\ntvmode=pal\r\nsync_clock=2024-05-01 10:00:00\r\nimage_iso=3200\r\n"
                         "auto_shutdown=60Min\r\nauto_shoot=off\r\nphoto_burst=20p\r\n"));
    Open({empty.path(), clean.path(), damaged.path()});
    ClickOn(kImageTab, IDC_WB_CLOUDY);
    QTest::keyClick(OpenMenu(0), Qt::Key_L);
    EXPECT_TRUE(std::exchange(boxes_, {}).at(0).text.contains("holds no camera.conf") && Status().isEmpty() &&
                Checked(kImageTab, IDC_WB_CLOUDY));

    QTest::keyClick(OpenMenu(1, true), Qt::Key_L);
    EXPECT_EQ(Status(), "Loaded 28 settings from " + QDir(clean.path()).dirName() + "; every line understood");
    EXPECT_TRUE(!Checked(kSystemTab, IDC_SYNC_CLOCK) && Checked(kModeTab, IDC_MODE1_1920X1080P30) &&
                Checked(kPhotoTab, IDC_BURST_5_P));
    Cards()->selectRow(0);
    Click(*window_, IDC_SET);
    EXPECT_EQ(ReadAll(empty.filePath("camera.conf")), ReadAll(clean.filePath("camera.conf")));

    ClickOn(kImageTab, IDC_WB_CLOUDY);
    QTest::keyClick(OpenMenu(2), Qt::Key_L);
    const QString loaded = "Loaded 6 settings from " + QDir(damaged.path()).dirName() + " and the clock line; ";
    EXPECT_TRUE(Status() == loaded + "3 kept without a button; 3 lines not understood (line 3, 4, 5)" ||
                Status() == loaded + "more in the tooltip")
        << Status().toStdString();
    const auto note = [&](int tab, int id) { return qobject_cast<QLabel*>(Item(tab, id))->text(); };
    EXPECT_TRUE(note(kImageTab, IDC_ISO_HELD_NOTE) == "3200 (from card)" &&
                note(kSystemTab, IDC_AUTO_SHUTDOWN_HELD_NOTE) == "60Min (from card)" &&
                note(kPhotoTab, IDC_BURST_HELD_NOTE) == "20p (from card)");
    EXPECT_TRUE(Checked(kSystemTab, IDC_TVMODE_PAL) && Checked(kSystemTab, IDC_SYNC_CLOCK));
    EXPECT_TRUE(Checked(kImageTab, IDC_WB_CLOUDY)) << "a key the file lacks keeps its value";
    Click(*window_, IDC_SET);
    const QByteArray written = ReadAll(damaged.filePath("camera.conf"));
    for (const char* line : {"\nimage_iso=3200\r", "\nauto_shutdown=60Min\r", "\nphoto_burst=20p\r"})
        EXPECT_TRUE(written.contains(line)) << line;
    Click(*window_, IDC_SAVE_PROFILE);
    EXPECT_TRUE(Status().contains("read 2 values back differently")) << Status().toStdString();
    EXPECT_TRUE(boxes_.empty());
}

// Two card readers, each with a card, as the window lists them from a fake
// system tree; the stand-in UDisks2 knows the same two. Eject takes off the
// chosen card's drive only, from the row's menu or from the offer beside
// the news of a "Set" to a drive (none for a --card folder), allowing the
// desktop's password dialog; the list then loses the card by itself. A busy
// unmount is shown and changes nothing. The drive is a real tmpfs mount, so
// "Set" sees a mounted volume.
TEST_F(CardActionsTest, EjectUnmountsThenPowersOffTheChosenDriveOrSaysWhyNot) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    QTemporaryDir dir, folder;
    FakeSystemTree tree{dir.path() + "/system"};
    const QString a = dir.path() + "/CARD_A", b = dir.path() + "/CARD_B";
    ASSERT_TRUE(QDir().mkpath(a) && QDir().mkpath(b));
    tree.AddDevice(devpaths::Usb(1, "sdb"), 8, 16, "1");
    tree.AddMountedPartition(devpaths::Usb(1, "sdb/sdb1"), 8, 17, QFile::encodeName(a), "vfat");
    tree.AddDevice(devpaths::Usb(2, "sdc"), 8, 32, "1");
    tree.AddMountedPartition(devpaths::Usb(2, "sdc/sdc1"), 8, 33, QFile::encodeName(b), "vfat");
    const QJsonObject objects{{"/org/freedesktop/UDisks2/block_devices/sdb1", BlockObject("/dev/sdb1", kDriveA, {a})},
                              {kSdc1, BlockObject("/dev/sdc1", kDriveB, {b})},
                              {kDriveA, DriveObject(true, true, true)},
                              {kDriveB, DriveObject(true, true, true)}};
    const QJsonObject busyUnmount{{kSdc1 + " Unmount", QJsonArray{"org.freedesktop.UDisks2.Error.DeviceBusy", "busy"}}};
    const QStringList calls = {"Unmount " + kSdc1 + " auth.no_user_interaction=false",
                               "PowerOff " + kDriveB + " auth.no_user_interaction=false"};
    ScopedTmpfs mounted(b, "size=1m");
    for (const bool busy : {true, false}) {
        if (!busy && !mounted.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs (needs root)";
        UdisksStandIn udisks(BusAddress(), objects, busy ? busyUnmount : QJsonObject{});
        ASSERT_TRUE(udisks.Ready());
        Open({folder.path()}, tree.Paths());
        boxes_.clear();
        if (busy) {
            QTest::keyClick(OpenMenu(RowOf(b + '/')), Qt::Key_E);
        } else {
            Cards()->selectRow(RowOf(FromUtf8(FolderCardRoot(ToUtf8(folder.path())))));
            Click(*window_, IDC_SET);
            EXPECT_TRUE(Status().startsWith("camera.conf written to") && EjectOffer()->isHidden());
            Cards()->selectRow(RowOf(b + '/'));
            Click(*window_, IDC_SET);
            ASSERT_TRUE(Status().startsWith("camera.conf written to CARD_B") && QFile::exists(b + "/camera.conf"));
            ASSERT_TRUE(!EjectOffer()->isHidden() && EjectOffer()->isEnabled());
            EjectOffer()->click();
        }
        EXPECT_EQ(Status(), "Ejecting CARD_B...") << "the window goes on while UDisks2 works";
        if (!busy) tree.RemoveDevice("sdc1", 8, 33);  // the card goes as UDisks2 powers it off
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Status().startsWith("Ejecting"); }, 20000));
        EXPECT_EQ(udisks.Calls(), busy ? calls.mid(0, 1) : calls);
        if (busy) {
            EXPECT_TRUE(boxes_.size() == 1 && boxes_[0].text.contains("is busy") && boxes_[0].text.contains("CARD_B"));
            EXPECT_TRUE(Status().isEmpty() && Cards()->rowCount() == 3);
        } else {
            EXPECT_TRUE(boxes_.empty() && Cards()->rowCount() == 2 && RowOf(a + '/') >= 0);
            window_->OnDeviceChange(0x8004);  // the watcher's late report keeps the news
            EXPECT_TRUE(Status() == "CARD_B ejected: the card can be pulled" && EjectOffer()->isHidden());
        }
    }
}

}  // namespace

}  // namespace quillmar::ui_test
