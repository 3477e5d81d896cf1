// Ejecting through a stand-in UDisks2 on a private bus: which calls are made,
// in which order and with which options, and every way it can stop.

#include "platform/card_eject.h"

#include "support/udisks_standin.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace quillmar {

namespace {

using namespace test_support;

const QString kCardDrive = "/org/freedesktop/UDisks2/drives/Card_Reader_0001";
const QString kDiskDrive = "/org/freedesktop/UDisks2/drives/Disk_0002";
const QString kSdb1 = "/org/freedesktop/UDisks2/block_devices/sdb1";
const QString kSdb2 = "/org/freedesktop/UDisks2/block_devices/sdb2";
const QString kSdc1 = "/org/freedesktop/UDisks2/block_devices/sdc1";

// The bus must be the system bus before Qt first connects to it, and stays
// for the whole program; each test starts its own stand-in service.
const QString& BusAddress() {
    static int argc = 1;
    static char name[] = "test_card_eject";
    static char* argv[] = {name, nullptr};
    static PrivateBus* bus = [] {
        auto* b = new PrivateBus;
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", b->Address().toUtf8());
        new QCoreApplication(argc, argv);
        return b;
    }();
    return bus->Address();
}

// A card reader with two mounted partitions (sdb1 the card's, sdb2 a second
// one) and another removable drive (sdc1) that must never be touched.
struct Machine {
    QTemporaryDir dir;
    QString card = dir.filePath("card"), second = dir.filePath("second"), other = dir.filePath("other");
    QString bind = dir.filePath("bind");  // the card's file system mounted a second time
    Machine() {
        for (const QString& folder : {card, second, other, bind}) QDir().mkpath(folder);
    }

    QJsonObject Objects(QJsonObject cardDrive = DriveObject(true, true, true), bool hintSystem = false,
                        const QString& cardDrivePath = kCardDrive, bool bound = false) const {
        return {{kSdb1, BlockObject("/dev/sdb1", cardDrivePath, bound ? QStringList{card, bind} : QStringList{card},
                                    hintSystem)},
                {kSdb2, BlockObject("/dev/sdb2", cardDrivePath, {second})},
                {kSdc1, BlockObject("/dev/sdc1", kDiskDrive, {other})},
                {kCardDrive, cardDrive},
                {kDiskDrive, DriveObject(true, true, true)}};
    }
};

QString Unmount(const QString& path, bool noInteraction = true) {
    return "Unmount " + path + " auth.no_user_interaction=" + (noInteraction ? "true" : "false");
}
QString OnDrive(const char* method) { return QString(method) + ' ' + kCardDrive + " auth.no_user_interaction=true"; }
QJsonArray Err(const char* name, const char* message) { return {name, message}; }

TEST(CardEject, UnmountsEveryFileSystemOfTheDriveThenPowersOffOrEjectsOrStops) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    Machine m;
    const struct {
        const char* what;
        QJsonObject drive;
        QJsonObject errors;
        EjectOutcome::Status status;
        QStringList calls;
        QStringList unmounted;
        bool warned;
        const char* says;  // in the message
        QJsonObject vanish = {};
        bool bound = false;
    } cases[] = {
        {"power off",
         DriveObject(true, true, true),
         {},
         EjectOutcome::kPoweredOff,
         {Unmount(kSdb1), Unmount(kSdb2), OnDrive("PowerOff")},
         {m.card, m.second},
         false,
         "Ejected"},
        {"eject when it cannot power off",
         DriveObject(true, false, true),
         {},
         EjectOutcome::kPoweredOff,
         {Unmount(kSdb1), Unmount(kSdb2), OnDrive("Eject")},
         {m.card, m.second},
         false,
         "Ejected"},
        {"neither: stop after unmounting",
         DriveObject(true, false, false),
         {},
         EjectOutcome::kUnmounted,
         {Unmount(kSdb1), Unmount(kSdb2)},
         {m.card, m.second},
         true,
         "can be pulled"},
        {"failed power off is a warning",
         DriveObject(true, true, true),
         {{kCardDrive + " PowerOff", Err("org.freedesktop.UDisks2.Error.Failed", "Error powering off")}},
         EjectOutcome::kUnmounted,
         {Unmount(kSdb1), Unmount(kSdb2), OnDrive("PowerOff")},
         {m.card, m.second},
         true,
         "can be pulled"},
        {"no eject program is a warning",
         DriveObject(true, false, true),
         {{kCardDrive + " Eject", Err("org.freedesktop.UDisks2.Error.Failed", "Failed to execute child process")}},
         EjectOutcome::kUnmounted,
         {Unmount(kSdb1), Unmount(kSdb2), OnDrive("Eject")},
         {m.card, m.second},
         true,
         "can be pulled"},
        {"power off refused as in use",
         DriveObject(true, true, true),
         {{kCardDrive + " PowerOff", Err("org.freedesktop.UDisks2.Error.DeviceBusy", "Device /dev/sdb1 is mounted")}},
         EjectOutcome::kBusy,
         {Unmount(kSdb1), Unmount(kSdb2), OnDrive("PowerOff")},
         {m.card, m.second},
         false,
         "still in use (Device /dev/sdb1 is mounted)"},
        {"bind-mounted card: unmounted until no mount is left",
         DriveObject(true, true, true),
         {},
         EjectOutcome::kPoweredOff,
         {Unmount(kSdb1), Unmount(kSdb2), Unmount(kSdb1), OnDrive("PowerOff")},
         {m.card, m.bind, m.second},
         false,
         "Ejected",
         {},
         true},
        {"busy second file system stops before power off",
         DriveObject(true, true, true),
         {{kSdb2 + " Unmount", Err("org.freedesktop.UDisks2.Error.DeviceBusy", "target is busy")}},
         EjectOutcome::kBusy,
         {Unmount(kSdb1), Unmount(kSdb2)},
         {m.card},
         false,
         "is busy: close the files and windows that use it, then eject"},
        {"not authorised stops at once",
         DriveObject(true, true, true),
         {{kSdb1 + " Unmount", Err("org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain", "Not authorized")}},
         EjectOutcome::kNotAuthorized,
         {Unmount(kSdb1)},
         {},
         false,
         "not allowed"},
        {"a file system gone mid-way counts as unmounted",
         DriveObject(true, true, true),
         {},
         EjectOutcome::kPoweredOff,
         {Unmount(kSdb1), Unmount(kSdb2), OnDrive("PowerOff")},
         {m.card, m.second},
         false,
         "Ejected",
         {{kSdb1 + " Unmount", QJsonArray{kSdb2}}}},
        {"service gone mid-way",
         DriveObject(true, true, true),
         {{kSdb1 + " Unmount", Err("org.freedesktop.DBus.Error.ServiceUnknown", "gone")}},
         EjectOutcome::kNoService,
         {Unmount(kSdb1)},
         {},
         false,
         "not available"},
        {"other failure",
         DriveObject(true, true, true),
         {{kSdb1 + " Unmount", Err("org.freedesktop.UDisks2.Error.Failed", "Error unmounting")}},
         EjectOutcome::kFailed,
         {Unmount(kSdb1)},
         {},
         false,
         "could not be unmounted: Error unmounting"},
        {"fixed drive refused", DriveObject(false, true, true), {}, EjectOutcome::kRefused, {}, {}, false, "removable"},
    };
    for (const auto& c : cases) {
        UdisksStandIn udisks(BusAddress(), m.Objects(c.drive, false, kCardDrive, c.bound), c.errors, c.vanish);
        ASSERT_TRUE(udisks.Ready()) << c.what;
        const EjectOutcome outcome = EjectCard({m.card + "/"});
        EXPECT_EQ(outcome.status, c.status) << c.what << ": " << outcome.message.toStdString();
        EXPECT_EQ(udisks.Calls(), c.calls) << c.what;
        EXPECT_EQ(outcome.unmounted, c.unmounted) << c.what;
        EXPECT_EQ(!outcome.warning.isEmpty(), c.warned) << c.what << ": " << outcome.warning.toStdString();
        // The daemon's texts end in a newline, which must not reach the user.
        EXPECT_TRUE(outcome.message.contains(c.says) && !(outcome.message + outcome.warning).contains('\n'))
            << c.what << ": " << outcome.message.toStdString();
        EXPECT_EQ(outcome.message.contains("can be pulled"), outcome.Unmounted()) << c.what;
    }
}

TEST(CardEject, RefusesWhatIsNoCardWithoutCallingAnything) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    Machine m;
    const struct {
        const char* what;
        QJsonObject objects;
        QString root;
        EjectOutcome::Status status;
    } cases[] = {
        {"system drive", m.Objects(DriveObject(true, true, true), true), m.card, EjectOutcome::kRefused},
        {"no drive (a loop device)", m.Objects(DriveObject(true, true, true), false, "/"), m.card,
         EjectOutcome::kRefused},
        {"not a mount point UDisks2 knows", m.Objects(), m.dir.path(), EjectOutcome::kNotFound},
    };
    for (const auto& c : cases) {
        UdisksStandIn udisks(BusAddress(), c.objects);
        ASSERT_TRUE(udisks.Ready()) << c.what;
        const EjectOutcome outcome = EjectCard({c.root});
        EXPECT_EQ(outcome.status, c.status) << c.what << ": " << outcome.message.toStdString();
        EXPECT_EQ(udisks.Calls(), QStringList{}) << c.what;
    }
}

TEST(CardEject, AsynchronousEjectAllowsInteractionAndReportsThroughItsSignal) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    Machine m;
    UdisksStandIn udisks(BusAddress(), m.Objects(DriveObject(true, false, false)));
    ASSERT_TRUE(udisks.Ready());
    CardEjector ejector;
    QSignalSpy finished(&ejector, &CardEjector::Finished);
    EjectRequest request{m.second, true};
    ejector.Start(request);
    EXPECT_EQ(finished.count(), 0);  // never before control returns to the loop
    ASSERT_TRUE(finished.wait(20000));
    const auto outcome = finished.at(0).at(0).value<EjectOutcome>();
    EXPECT_EQ(outcome.status, EjectOutcome::kUnmounted);
    // The second partition's folder finds the same drive; its own comes first.
    EXPECT_EQ(udisks.Calls(), (QStringList{Unmount(kSdb2, false), Unmount(kSdb1, false)}));
}

TEST(CardEject, WithoutTheServiceNothingIsAvailable) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    Machine m;
    EXPECT_FALSE(CheckUdisksAvailable().available);
    EXPECT_FALSE(CheckUdisksAvailable().reason.isEmpty());
    EXPECT_EQ(EjectCard({m.card}).status, EjectOutcome::kNoService);
    UdisksStandIn udisks(BusAddress(), m.Objects());
    ASSERT_TRUE(udisks.Ready());
    EXPECT_TRUE(CheckUdisksAvailable().available);
}

}  // namespace

}  // namespace quillmar
