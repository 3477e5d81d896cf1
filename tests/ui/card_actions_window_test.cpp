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
#include <QTableWidget>

namespace quillmar {

namespace {

using namespace test_support;
using ui_test::Click;
using ui_test::IsChecked;

const QString kDriveA = "/org/freedesktop/UDisks2/drives/Reader_A";
const QString kDriveB = "/org/freedesktop/UDisks2/drives/Reader_B";
const QString kSdc1 = "/org/freedesktop/UDisks2/block_devices/sdc1";

// The system bus is a private one for the whole program, set before Qt
// first reaches for it; each test starts its own stand-in service.
const QString& BusAddress() {
    static PrivateBus* bus = [] {
        auto* b = new PrivateBus;
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", b->Address().toUtf8());
        return b;
    }();
    return bus->Address();
}

QString Call(const char* method, const QString& path) {
    return QString(method) + ' ' + path + " auth.no_user_interaction=false";
}

class CardActionsTest : public ui_test::MainWindowFixture {
protected:
    CardActionsTest() { BusAddress(); }

    QTableWidget* Cards() const { return qobject_cast<QTableWidget*>(window_->GetDlgItem(IDC_CARD_LIST)); }
    int RowOf(const QString& root) const {
        for (int row = 0; row < Cards()->rowCount(); ++row)
            if (Cards()->item(row, 0)->text() == root) return row;
        return -1;
    }
    QPushButton* EjectOffer() const { return window_->Status()->findChild<QPushButton*>(); }
    bool Ejected() {
        return QTest::qWaitFor([&] { return !Status().startsWith("Ejecting"); }, 20000);
    }

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
        return menu && menu != window_->SystemMenu() ? menu : nullptr;
    }
    static QAction* Eject(QMenu* menu) {
        for (QAction* a : menu->actions())
            if (a->text() == "&Eject") return a;
        return nullptr;
    }
};

// A camera.conf written by the command-line tool with settings off their
// defaults, a burst among them: Load from the keyboard's menu shows them,
// and "Set" to another card writes the same bytes.
TEST_F(CardActionsTest, LoadShowsTheCardsSettingsAndSetWritesTheSameBytes) {
    QTemporaryDir from, to;
    QStringList args = {"write", "--card", from.path(), "--no-sync-clock", "--config", WorkFile("none.ini")};
    for (const char* s : {"mode_1=1920x1080p 30", "mic_vol=mute", "tvmode=pal", "photo_burst=5p"}) args << "--set" << s;
    ASSERT_EQ(RunCli(args).exit_code, 0);
    Open(AppOptions{{from.path(), to.path()}, {}});
    QMenu* menu = OpenMenu(0, true);
    ASSERT_TRUE(menu);
    QTest::keyClick(menu, Qt::Key_L);
    EXPECT_EQ(Status(), "Loaded 28 settings from " + QDir(from.path()).dirName() + "; every line understood");
    EXPECT_FALSE(IsChecked(window_->Page(kSystemTab), IDC_SYNC_CLOCK)) << "the file has no clock line";
    EXPECT_TRUE(IsChecked(window_->Page(kModeTab), IDC_MODE1_1920X1080P30) &&
                IsChecked(window_->Page(kPhotoTab), IDC_BURST_5_P));
    Cards()->selectRow(1);
    Click(*window_, IDC_SET);
    EXPECT_EQ(ReadAll(to.filePath("camera.conf")), ReadAll(from.filePath("camera.conf")));
    EXPECT_TRUE(boxes_.empty());
}

// A card without camera.conf: a message, and the pages as they were. A
// damaged file: the lines the camera understands are loaded, the others
// counted; keys the file lacks keep what the pages showed; a clock line
// ticks the clock box. Values the pages have no button for are named beside
// their groups and written back unchanged by "Set"; a profile saved from
// them says it will read two of them back as others.
TEST_F(CardActionsTest, LoadOfAMissingOrDamagedFile) {
    QTemporaryDir empty, card;
    ASSERT_TRUE(WriteRaw(card.filePath("camera.conf"),
                         "enable_cfg=true\r\nmode_1=1920x1080p 30\r\nbrightness=7\r\nimage_wb=purple\r\n"
                         "just some words\r\ntvmode=pal\r\nsync_clock=2024-05-01 10:00:00\r\nimage_iso=3200\r\n"
                         "auto_shutdown=60Min\r\nauto_shoot=off\r\nphoto_burst=20p\r\n"));
    Open(AppOptions{{empty.path(), card.path()}, {}});
    ClickOn(kImageTab, IDC_WB_CLOUDY);
    ClickOn(kSystemTab, IDC_SYNC_CLOCK);
    QTest::keyClick(OpenMenu(RowOf(FolderCardRoot(empty.path()))), Qt::Key_L);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].text.contains("holds no camera.conf") && (boxes_[0].style & MB_ICONERROR));
    EXPECT_TRUE(Status().isEmpty() && IsChecked(window_->Page(kImageTab), IDC_WB_CLOUDY));
    boxes_.clear();
    const int row = RowOf(FolderCardRoot(card.path()));
    QTest::keyClick(OpenMenu(row), Qt::Key_L);
    const QString loaded = "Loaded 6 settings from " + QDir(card.path()).dirName() + " and the clock line; ";
    EXPECT_TRUE(Status() == loaded + "3 kept without a button; 3 lines not understood (line 3, 4, 5)" ||
                Status() == loaded + "more in the tooltip")
        << Status().toStdString();
    const auto note = [&](int tab, int id) { return qobject_cast<QLabel*>(window_->Page(tab).GetDlgItem(id))->text(); };
    EXPECT_TRUE(note(kImageTab, IDC_ISO_HELD_NOTE) == "3200 (from card)" &&
                note(kSystemTab, IDC_AUTO_SHUTDOWN_HELD_NOTE) == "60Min (from card)" &&
                note(kPhotoTab, IDC_BURST_HELD_NOTE) == "20p (from card)");
    EXPECT_TRUE(IsChecked(window_->Page(kModeTab), IDC_MODE1_1920X1080P30) &&
                IsChecked(window_->Page(kSystemTab), IDC_TVMODE_PAL));
    EXPECT_TRUE(IsChecked(window_->Page(kImageTab), IDC_WB_CLOUDY)) << "a key the file lacks keeps its value";
    EXPECT_TRUE(IsChecked(window_->Page(kSystemTab), IDC_SYNC_CLOCK));
    Cards()->selectRow(row);
    Click(*window_, IDC_SET);
    const QByteArray written = ReadAll(card.filePath("camera.conf"));
    for (const char* line : {"\nimage_iso=3200\r", "\nauto_shutdown=60Min\r", "\nphoto_burst=20p\r"})
        EXPECT_TRUE(written.contains(line)) << line;
    Click(*window_, IDC_SAVE_PROFILE);
    EXPECT_TRUE(Status().contains("read 2 values back differently")) << Status().toStdString();
    EXPECT_TRUE(boxes_.empty());
}

// Two card readers, each with a card, as the window lists them from a
// fake system tree; the stand-in UDisks2 knows the same two.
struct TwoReaders {
    QTemporaryDir dir;
    FakeSystemTree tree{dir.path() + "/system"};
    QString a = dir.path() + "/CARD_A", b = dir.path() + "/CARD_B";
    TwoReaders() {
        QDir().mkpath(a), QDir().mkpath(b);
        tree.AddDevice(devpaths::Usb(1, "sdb"), 8, 16, "1");
        tree.AddMountedPartition(devpaths::Usb(1, "sdb/sdb1"), 8, 17, QFile::encodeName(a), "vfat");
        tree.AddDevice(devpaths::Usb(2, "sdc"), 8, 32, "1");
        tree.AddMountedPartition(devpaths::Usb(2, "sdc/sdc1"), 8, 33, QFile::encodeName(b), "vfat");
    }
    QJsonObject Objects() const {
        return {{"/org/freedesktop/UDisks2/block_devices/sdb1", BlockObject("/dev/sdb1", kDriveA, {a})},
                {kSdc1, BlockObject("/dev/sdc1", kDriveB, {b})},
                {kDriveA, DriveObject(true, true, true)},
                {kDriveB, DriveObject(true, true, true)}};
    }
};

// Eject takes off the chosen card's drive only, from the row's menu or from
// the offer beside the news of a "Set" to a drive (none for a --card
// folder), allowing the desktop's password dialog; the list then loses the
// card by itself. A busy unmount is shown and changes nothing. The drive is
// a real tmpfs mount, so "Set" sees a mounted volume.
TEST_F(CardActionsTest, EjectUnmountsThenPowersOffTheChosenDriveOrSaysWhyNot) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    const QJsonObject busyUnmount{{kSdc1 + " Unmount", QJsonArray{"org.freedesktop.UDisks2.Error.DeviceBusy", "busy"}}};
    for (const bool busy : {true, false}) {
        SCOPED_TRACE(busy);
        TwoReaders m;
        ScopedTmpfs mounted(m.b, "size=1m");
        if (!busy && !mounted.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs (needs root)";
        QTemporaryDir folder;
        UdisksStandIn udisks(BusAddress(), m.Objects(), busy ? busyUnmount : QJsonObject{});
        ASSERT_TRUE(udisks.Ready());
        Open(AppOptions{{folder.path()}, {}}, m.tree.Paths());
        ASSERT_EQ(Cards()->rowCount(), 3) << "the fake readers are listed";
        boxes_.clear();
        if (busy) {
            QMenu* menu = OpenMenu(RowOf(m.b + '/'));
            ASSERT_TRUE(menu && Eject(menu) && Eject(menu)->isEnabled());
            QTest::keyClick(menu, Qt::Key_E);
        } else {
            Cards()->selectRow(RowOf(FolderCardRoot(folder.path())));
            Click(*window_, IDC_SET);
            EXPECT_TRUE(Status().startsWith("camera.conf written to") && EjectOffer()->isHidden());
            Cards()->selectRow(RowOf(m.b + '/'));
            Click(*window_, IDC_SET);
            ASSERT_TRUE(Status().startsWith("camera.conf written to CARD_B") && QFile::exists(m.b + "/camera.conf"));
            ASSERT_TRUE(!EjectOffer()->isHidden() && EjectOffer()->isEnabled());
            EjectOffer()->click();
        }
        EXPECT_EQ(Status(), "Ejecting CARD_B...") << "the window goes on while UDisks2 works";
        if (!busy) m.tree.RemoveDevice("sdc1", 8, 33);  // the card goes as UDisks2 powers it off
        ASSERT_TRUE(Ejected());
        if (busy) {
            EXPECT_EQ(udisks.Calls(), QStringList{Call("Unmount", kSdc1)});
            ASSERT_EQ(boxes_.size(), 1u);
            EXPECT_TRUE(boxes_[0].text.contains("is busy") && boxes_[0].text.contains("CARD_B"));
            EXPECT_TRUE(Status().isEmpty() && Cards()->rowCount() == 3);
        } else {
            EXPECT_EQ(udisks.Calls(), (QStringList{Call("Unmount", kSdc1), Call("PowerOff", kDriveB)}));
            EXPECT_TRUE(boxes_.empty() && Cards()->rowCount() == 2 && RowOf(m.a + '/') >= 0);
            window_->OnDeviceChange(0x8004);  // the watcher's late report keeps the news
            EXPECT_TRUE(Status() == "CARD_B ejected: the card can be pulled" && EjectOffer()->isHidden());
        }
    }
}

}  // namespace

}  // namespace quillmar
