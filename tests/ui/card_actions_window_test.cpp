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
const QString kSdb1 = "/org/freedesktop/UDisks2/block_devices/sdb1";
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

bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
    for (QElapsedTimer t; !done();) {
        if (!t.isValid()) t.start();
        if (t.elapsed() > ms) return false;
        QTest::qWait(20);
    }
    return true;
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
    QString Status() const { return window_->Status()->isVisible() ? window_->Status()->Message() : QString(); }
    QPushButton* EjectOffer() const { return window_->Status()->findChild<QPushButton*>(); }

    // Opens the card menu on `row` with the mouse or with Shift+F10 on the
    // focused list; null when no card menu opened.
    QMenu* OpenMenu(int row, bool keyboard) {
        if (keyboard) {
            Cards()->selectRow(row);
            Cards()->setFocus();
            QTest::keyClick(Cards(), Qt::Key_F10, Qt::ShiftModifier);
        } else {
            const QPoint at = Cards()->visualItemRect(Cards()->item(row, 0)).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, Cards()->viewport()->mapToGlobal(at));
            QApplication::sendEvent(Cards()->viewport(), &event);
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return menu && menu != window_->SystemMenu() ? menu : nullptr;
    }
    static QAction* Action(QMenu* menu, const char* text) {
        for (QAction* a : menu->actions())
            if (a->text() == text) return a;
        return nullptr;
    }
    // Chooses by the action's mnemonic, as a user does.
    void Choose(QMenu* menu, Qt::Key mnemonic) { QTest::keyClick(menu, mnemonic); }
};

// A camera.conf written by the command-line tool with ten settings off
// their defaults: Load shows them, and "Set" to another card writes the
// same bytes. Once with a burst, once with an auto-shoot interval, which
// lock the other Photo group.
TEST_F(CardActionsTest, LoadShowsTheCardsSettingsAndSetWritesTheSameBytes) {
    const QStringList common = {"mode_1=1920x1080p 30", "mode_2=1280x720p 30", "video_quality=fine", "fov=narrow",
                                "timelapse=5s",         "mic_vol=mute",        "image_wb=cloudy",    "tvmode=pal"};
    const struct {
        bool keyboard;
        QStringList photo;
        int checked;  // a Photo radio the page must show
    } cases[] = {
        {false, {"photo_burst=5p", "photo_stamp=date"}, IDC_BURST_5_P},
        {true, {"auto_shoot=10s", "photo_quality=normal"}, IDC_AUTO_SHOOT_10_SECONDS},
    };
    for (const auto& c : cases) {
        QTemporaryDir from, to;
        QStringList args = {"write", "--card", from.path(), "--no-sync-clock", "--config", WorkFile("none.ini")};
        for (const QString& s : common + c.photo) args << "--set" << s;
        const CliRun run = RunCli(args);
        ASSERT_EQ(run.exit_code, 0) << run.err.toStdString();
        const QByteArray written = ReadAll(from.filePath("camera.conf"));
        for (const QString& s : common + c.photo) ASSERT_TRUE(written.contains(s.toUtf8() + "\r\n")) << s.toStdString();

        Open(AppOptions{{from.path(), to.path()}, {}});
        ASSERT_TRUE(IsChecked(window_->Page(kSystemTab), IDC_SYNC_CLOCK));
        QMenu* menu = OpenMenu(0, c.keyboard);
        ASSERT_TRUE(menu) << "keyboard " << c.keyboard;
        Choose(menu, Qt::Key_L);
        EXPECT_EQ(Status(), "Loaded 28 settings from " + QDir(from.path()).dirName() + "; every line understood");
        EXPECT_FALSE(IsChecked(window_->Page(kSystemTab), IDC_SYNC_CLOCK)) << "the file has no clock line";
        EXPECT_TRUE(IsChecked(window_->Page(kModeTab), IDC_MODE1_1920X1080P30));
        EXPECT_TRUE(IsChecked(window_->Page(kPhotoTab), c.checked));

        Cards()->selectRow(1);
        Click(*window_, IDC_SET);
        EXPECT_EQ(ReadAll(to.filePath("camera.conf")), written) << "keyboard " << c.keyboard;
        EXPECT_TRUE(boxes_.empty());
    }
}

// A damaged file: the lines the camera understands are loaded, the
// others counted; keys the file lacks keep what the pages showed; a clock
// line ticks the clock box. Values the pages have no button for are named
// beside their groups and written back unchanged by "Set"; a profile saved
// from them says it will read two of them back as others.
TEST_F(CardActionsTest, DamagedFileLoadsTheRestAndCountsWhatWasNotUnderstood) {
    QTemporaryDir card;
    ASSERT_TRUE(WriteRaw(card.filePath("camera.conf"),
                         "enable_cfg=true\r\nmode_1=1920x1080p 30\r\nbrightness=7\r\nimage_wb=purple\r\n"
                         "just some words\r\ntvmode=pal\r\nsync_clock=2024-05-01 10:00:00\r\nimage_iso=3200\r\n"
                         "auto_shutdown=60Min\r\nauto_shoot=off\r\nphoto_burst=20p\r\n"));
    Open(AppOptions{{card.path()}, {}});
    ChooseTab(kImageTab);
    Click(window_->Page(kImageTab), IDC_WB_CLOUDY);
    ChooseTab(kSystemTab);
    Click(window_->Page(kSystemTab), IDC_SYNC_CLOCK);
    ASSERT_FALSE(IsChecked(window_->Page(kSystemTab), IDC_SYNC_CLOCK));
    Choose(OpenMenu(0, false), Qt::Key_L);
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
    Click(*window_, IDC_SET);
    const QByteArray written = ReadAll(card.filePath("camera.conf"));
    for (const char* line : {"\nimage_iso=3200\r", "\nauto_shutdown=60Min\r", "\nphoto_burst=20p\r"})
        EXPECT_TRUE(written.contains(line)) << line;
    Click(*window_, IDC_SAVE_PROFILE);
    EXPECT_TRUE(Status().contains("read 2 values back differently")) << Status().toStdString();
    EXPECT_TRUE(boxes_.empty());
}

// A card without camera.conf: a message, and the pages as they were. The
// other unusable files (a folder, a link, too large) are refused by the
// same reader, checked through quillmar-cli read.
TEST_F(CardActionsTest, NoCameraConfGivesAMessageAndChangesNothing) {
    QTemporaryDir card;
    Open(AppOptions{{card.path()}, {}});
    Click(window_->Page(kModeTab), IDC_MODE1_2304X1296P_30);
    Choose(OpenMenu(0, false), Qt::Key_L);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(boxes_[0].text.contains("holds no camera.conf") && (boxes_[0].style & MB_ICONERROR))
        << boxes_[0].text.toStdString();
    EXPECT_TRUE(IsChecked(window_->Page(kModeTab), IDC_MODE1_2304X1296P_30));
    EXPECT_TRUE(Status().isEmpty());
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
        return {{kSdb1, BlockObject("/dev/sdb1", kDriveA, {a})},
                {kSdc1, BlockObject("/dev/sdc1", kDriveB, {b})},
                {kDriveA, DriveObject(true, true, true)},
                {kDriveB, DriveObject(true, true, true)}};
    }
};

QString Call(const char* method, const QString& path) {
    return QString(method) + ' ' + path + " auth.no_user_interaction=false";
}

// Eject takes off the chosen card's drive only, allowing the desktop's
// password dialog; the list then loses the card by itself. A busy or
// refused unmount is shown and changes nothing.
TEST_F(CardActionsTest, EjectUnmountsThenPowersOffTheChosenDriveOrSaysWhyNot) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    const struct {
        const char* what;
        QJsonObject errors;
        QStringList calls;
        const char* box;  // empty: ejected
    } cases[] = {
        {"ejected", {}, {Call("Unmount", kSdc1), Call("PowerOff", kDriveB)}, ""},
        {"busy",
         {{kSdc1 + " Unmount", QJsonArray{"org.freedesktop.UDisks2.Error.DeviceBusy", "target is busy"}}},
         {Call("Unmount", kSdc1)},
         "is busy"},
        {"not authorised",
         {{kSdc1 + " Unmount", QJsonArray{"org.freedesktop.UDisks2.Error.NotAuthorizedDismissed", "Not authorized"}}},
         {Call("Unmount", kSdc1)},
         "not allowed"},
    };
    for (const auto& c : cases) {
        TwoReaders m;
        UdisksStandIn udisks(BusAddress(), m.Objects(), c.errors);
        ASSERT_TRUE(udisks.Ready()) << c.what;
        Open({}, m.tree.Paths());
        ASSERT_EQ(Cards()->rowCount(), 2) << "the fake readers are listed";
        QMenu* menu = OpenMenu(RowOf(m.b + '/'), false);
        ASSERT_TRUE(menu && Action(menu, "&Eject") && Action(menu, "&Eject")->isEnabled()) << c.what;
        boxes_.clear();
        Choose(menu, Qt::Key_E);
        EXPECT_EQ(Status(), "Ejecting CARD_B...") << "the window goes on while UDisks2 works";
        // The card goes from the system as UDisks2 powers it off.
        if (!*c.box) m.tree.RemoveDevice("sdc1", 8, 33);
        ASSERT_TRUE(WaitFor([&] { return !Status().startsWith("Ejecting"); })) << c.what;
        EXPECT_EQ(udisks.Calls(), c.calls) << c.what;
        if (*c.box) {
            ASSERT_EQ(boxes_.size(), 1u) << c.what;
            EXPECT_TRUE(boxes_[0].text.contains(c.box) && boxes_[0].text.contains("CARD_B"))
                << boxes_[0].text.toStdString();
            EXPECT_TRUE(Status().isEmpty() && Cards()->rowCount() == 2) << c.what;
        } else {
            EXPECT_TRUE(boxes_.empty()) << boxes_[0].text.toStdString();
            EXPECT_EQ(Status(), "CARD_B ejected: the card can be pulled");
            EXPECT_TRUE(Cards()->rowCount() == 1 && RowOf(m.a + '/') == 0) << "the list follows by itself";
            window_->OnDeviceChange(0x8004);  // the watcher's late report keeps the news
            EXPECT_EQ(Status(), "CARD_B ejected: the card can be pulled");
        }
    }
}

// Eject is disabled, with the reason in its tooltip, for a --card folder
// and where UDisks2 is missing.
TEST_F(CardActionsTest, EjectIsDisabledWithItsReasonWhereItCannotWork) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    TwoReaders m;
    QTemporaryDir folder;
    for (const bool service : {false, true}) {
        std::unique_ptr<UdisksStandIn> udisks;
        if (service) udisks = std::make_unique<UdisksStandIn>(BusAddress(), m.Objects());
        ASSERT_TRUE(!service || udisks->Ready());
        Open(AppOptions{{folder.path()}, {}}, m.tree.Paths());
        ASSERT_EQ(Cards()->rowCount(), 3);
        for (const QString& root : {m.a + '/', FolderCardRoot(folder.path())}) {
            QMenu* menu = OpenMenu(RowOf(root), false);
            ASSERT_TRUE(menu);
            QAction* eject = Action(menu, "&Eject");
            const bool isFolder = root != m.a + '/';
            EXPECT_EQ(eject->isEnabled(), service && !isFolder) << root.toStdString() << " service " << service;
            const char* reason = isFolder ? "--card" : service ? "" : "UDisks2";
            EXPECT_TRUE(eject->toolTip().contains(reason)) << eject->toolTip().toStdString();
            EXPECT_TRUE(menu->toolTipsVisible());
            menu->close();
        }
        if (udisks) {
            EXPECT_TRUE(udisks->Calls().isEmpty());
        }
    }
}

// "Set" to a card on a drive offers Eject next to its news; to a --card
// folder it does not. The drive is a real tmpfs mount, so "Set" sees a
// mounted volume.
TEST_F(CardActionsTest, SetToADriveOffersEject) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    TwoReaders m;
    ScopedTmpfs mounted(m.a, "size=1m");
    if (!mounted.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs (needs root)";
    QTemporaryDir folder;
    UdisksStandIn udisks(BusAddress(), m.Objects());
    ASSERT_TRUE(udisks.Ready());
    Open(AppOptions{{folder.path()}, {}}, m.tree.Paths());
    ChooseTab(kSystemTab);
    Click(window_->Page(kSystemTab), IDC_SYNC_CLOCK);

    Cards()->selectRow(RowOf(FolderCardRoot(folder.path())));
    Click(*window_, IDC_SET);
    ASSERT_TRUE(Status().startsWith("camera.conf written to"));
    EXPECT_TRUE(EjectOffer()->isHidden()) << "a folder has nothing to eject";

    Cards()->selectRow(RowOf(m.a + '/'));
    Click(*window_, IDC_SET);
    ASSERT_TRUE(Status().startsWith("camera.conf written to CARD_A"));
    ASSERT_TRUE(!EjectOffer()->isHidden() && EjectOffer()->isEnabled());
    EXPECT_TRUE(QFile::exists(m.a + "/camera.conf"));
    EjectOffer()->click();
    ASSERT_TRUE(WaitFor([&] { return !Status().startsWith("Ejecting"); }));
    EXPECT_EQ(udisks.Calls(), (QStringList{Call("Unmount", kSdb1), Call("PowerOff", kDriveA)}));
    EXPECT_TRUE(Status() == "CARD_A ejected: the card can be pulled" && EjectOffer()->isHidden());
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace

}  // namespace quillmar
