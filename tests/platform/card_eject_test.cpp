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

const QString kUd = "/org/freedesktop/UDisks2/";
const QString kCardDrive = kUd + "drives/Card_Reader_0001", kDiskDrive = kUd + "drives/Disk_0002";
const QString kSdb1 = kUd + "block_devices/sdb1", kSdb2 = kUd + "block_devices/sdb2";
const QJsonObject kPowers = DriveObject(true, true, true), kEjects = DriveObject(true, false, true);

// The bus must be the system bus before Qt first connects to it, and stays
// for the whole program; each case starts its own stand-in service.
const QString& BusAddress() {
    static int argc = 1;
    static char name[] = "test_card_eject", *argv[] = {name, nullptr};
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

    QJsonObject Objects(const QJsonObject& cardDrive = kPowers, bool hintSystem = false,
                        const QString& cardDrivePath = kCardDrive, bool bound = false) const {
        return {{kSdb1, BlockObject("/dev/sdb1", cardDrivePath, bound ? QStringList{card, bind} : QStringList{card},
                                    hintSystem)},
                {kSdb2, BlockObject("/dev/sdb2", cardDrivePath, {second})},
                {kUd + "block_devices/sdc1", BlockObject("/dev/sdc1", kDiskDrive, {other})},
                {kCardDrive, cardDrive},
                {kDiskDrive, kPowers}};
    }
};

QString Unmount(const QString& path, const char* noInteraction = "true") {
    return "Unmount " + path + " auth.no_user_interaction=" + noInteraction;
}
QJsonObject Fail(const QString& call, const QString& name, const char* message) {
    return {{call, QJsonArray{name.contains('.') ? name : "org.freedesktop.UDisks2.Error." + name, message}}};
}

TEST(CardEject, UnmountsEveryFileSystemOfTheDriveThenPowersOffOrEjectsOrStops) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    Machine m;
    const QString u1 = Unmount(kSdb1), u2 = Unmount(kSdb2),
                  off = "PowerOff " + kCardDrive + " auth.no_user_interaction=true";
    const QString eject = "Eject " + kCardDrive + " auth.no_user_interaction=true";
    const QString c = m.card, s = m.second;
    const char* busy = "Device /dev/sdb1 is mounted";
    const auto check = [&](const char* what, const QJsonObject& objects, const QJsonObject& errors,
                           EjectOutcome::Status status, const QStringList& calls, const QStringList& unmounted,
                           const QString& says, const QJsonObject& vanish = {}, const QString& root = {}) {
        UdisksStandIn udisks(BusAddress(), objects, errors, vanish);
        ASSERT_TRUE(udisks.Ready()) << what;
        const EjectOutcome outcome = EjectCard({root.isEmpty() ? c + "/" : root});
        EXPECT_EQ(outcome.status, status) << what << ": " << outcome.message.toStdString();
        EXPECT_EQ(udisks.Calls().join(", ").toStdString(), calls.join(", ").toStdString()) << what;
        EXPECT_EQ(outcome.unmounted.join(", ").toStdString(), unmounted.join(", ").toStdString()) << what;
        EXPECT_EQ(!outcome.warning.isEmpty(), status == EjectOutcome::kUnmounted) << what;
        // The daemon's texts end in a newline, which must not reach the user.
        EXPECT_TRUE(outcome.message.contains(says) && !(outcome.message + outcome.warning).contains('\n'))
            << what << ": " << outcome.message.toStdString();
        EXPECT_EQ(outcome.message.contains("can be pulled"), outcome.Unmounted()) << what;
    };
    using enum EjectOutcome::Status;
    check("power off", m.Objects(), {}, kPoweredOff, {u1, u2, off}, {c, s}, "Ejected");
    check("eject when it cannot power off", m.Objects(kEjects), {}, kPoweredOff, {u1, u2, eject}, {c, s}, "Ejected");
    check("neither: stop after unmounting", m.Objects(DriveObject(true, false, false)), {}, kUnmounted, {u1, u2},
          {c, s}, "can be pulled");
    check("failed power off is a warning", m.Objects(), Fail(kCardDrive + " PowerOff", "Failed", "Error powering off"),
          kUnmounted, {u1, u2, off}, {c, s}, "can be pulled");
    check("no eject program is a warning", m.Objects(kEjects),
          Fail(kCardDrive + " Eject", "Failed", "Failed to execute child process"), kUnmounted, {u1, u2, eject}, {c, s},
          "can be pulled");
    check("power off refused as in use", m.Objects(), Fail(kCardDrive + " PowerOff", "DeviceBusy", busy), kBusy,
          {u1, u2, off}, {c, s}, QString("still in use (%1)").arg(busy));
    check("bind-mounted card: unmounted until no mount is left", m.Objects(kPowers, false, kCardDrive, true), {},
          kPoweredOff, {u1, u2, u1, off}, {c, m.bind, s}, "Ejected");
    check("busy second file system stops before power off", m.Objects(),
          Fail(kSdb2 + " Unmount", "DeviceBusy", "target is busy"), kBusy, {u1, u2}, {c},
          "is busy: close the files and windows that use it, then eject");
    check("not authorised stops at once", m.Objects(), Fail(kSdb1 + " Unmount", "NotAuthorizedCanObtain", "No"),
          kNotAuthorized, {u1}, {}, "not allowed");
    check("a file system gone mid-way counts as unmounted", m.Objects(), {}, kPoweredOff, {u1, u2, off}, {c, s},
          "Ejected", {{kSdb1 + " Unmount", QJsonArray{kSdb2}}});
    check("service gone mid-way", m.Objects(),
          Fail(kSdb1 + " Unmount", "org.freedesktop.DBus.Error.ServiceUnknown", "gone"), kNoService, {u1}, {},
          "not available");
    check("other failure", m.Objects(), Fail(kSdb1 + " Unmount", "Failed", "Error unmounting"), kFailed, {u1}, {},
          "could not be unmounted: Error unmounting");
    check("fixed drive", m.Objects(DriveObject(false, true, true)), {}, kRefused, {}, {}, "removable");
    check("system drive", m.Objects(kPowers, true), {}, kRefused, {}, {}, "ejected");
    check("no drive (a loop device)", m.Objects(kPowers, false, "/"), {}, kRefused, {}, {}, "no drive");
    check("not a mount point UDisks2 knows", m.Objects(), {}, kNotFound, {}, {}, "", {}, m.dir.path());
}

TEST(CardEject, AsynchronousEjectAllowsInteractionAndReportsThroughItsSignal) {
    ASSERT_FALSE(BusAddress().isEmpty()) << "dbus-daemon did not start";
    Machine m;
    EXPECT_FALSE(CheckUdisksAvailable().available);
    EXPECT_EQ(EjectCard({m.card}).status, EjectOutcome::kNoService);
    UdisksStandIn udisks(BusAddress(), m.Objects(DriveObject(true, false, false)));
    ASSERT_TRUE(udisks.Ready());
    EXPECT_TRUE(CheckUdisksAvailable().available);
    CardEjector ejector;
    QSignalSpy finished(&ejector, &CardEjector::Finished);
    ejector.Start({m.second, true});
    EXPECT_EQ(finished.count(), 0);  // never before control returns to the loop
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(finished.at(0).at(0).value<EjectOutcome>().status, EjectOutcome::kUnmounted);
    // The second partition's folder finds the same drive; its own comes first.
    EXPECT_EQ(udisks.Calls(), (QStringList{Unmount(kSdb2, "false"), Unmount(kSdb1, "false")}));
}

}  // namespace

}  // namespace quillmar
