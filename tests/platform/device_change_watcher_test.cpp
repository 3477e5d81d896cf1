#include "platform/device_change_watcher.h"
#include "platform/device_events.h"
#include "platform/mount_table.h"

#include "support/tmpfs_mount.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using test_support::MountTmpfs;
using test_support::Unmount;

class DeviceChangeWatcherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Our own mount table: mounts of tests running beside us stay unseen.
        isolated = test_support::IsolateMounts();
        static int argc = 1;
        static char name[] = "test_platform";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }
    void TearDown() override {
        for (const QString& m : mounted) Unmount(m);
    }

    void Mount(const QString& name) {
        QDir().mkpath(dir.path() + '/' + name);
        if (MountTmpfs(dir.path() + '/' + name)) mounted << dir.path() + '/' + name;
    }
    void Unmounted(const QString& name) {
        if (Unmount(dir.path() + '/' + name)) mounted.removeAll(dir.path() + '/' + name);
    }

    // Starts a watcher on the live mount table whose snapshot is the mounts
    // under our temporary folder; events are logged in `events`.
    std::unique_ptr<DeviceChangeWatcher> Watch(DeviceChangeWatcher::Options options, DeviceChangeWatcher::Snapshot snapshot = {}) {
        if (!snapshot) {
            snapshot = [this] {
                ++snapshots;
                QStringList dirs;
                for (const MountEntry& e : ReadMountTable("/proc/self/mountinfo"))
                    if (e.mount_dir.startsWith(dir.path() + '/')) dirs << e.mount_dir;
                return dirs;
            };
        }
        auto watcher = std::make_unique<DeviceChangeWatcher>(options, snapshot);
        QObject::connect(watcher.get(), &DeviceChangeWatcher::deviceChange, [this](quint32 e) {
            events << e;
            loop.quit();
        });
        return watcher;
    }
    static DeviceChangeWatcher::Options MountsOnly() {
        DeviceChangeWatcher::Options options;
        options.device_events = false;
        return options;
    }
    // Runs the event loop until an event arrives or `ms` have passed.
    bool WaitForEvent(int ms) {
        const qsizetype before = events.size();
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        timeout.start(ms);
        loop.exec();
        return events.size() > before;
    }

    static inline bool isolated = false;
    QTemporaryDir dir;
    QStringList mounted;
    QList<quint32> events;
    QEventLoop loop;
    int snapshots = 0;
};

TEST_F(DeviceChangeWatcherTest, MountAndUnmountAreReportedWithinASecond) {
    if (!isolated) GTEST_SKIP() << "mounting is not permitted here";
    auto watcher = Watch(MountsOnly());
    ASSERT_TRUE(watcher->watchesMounts());
    QElapsedTimer clock;
    clock.start();
    Mount("card");
    ASSERT_TRUE(WaitForEvent(1000));
    EXPECT_LT(clock.restart(), 1000);
    Unmounted("card");
    ASSERT_TRUE(WaitForEvent(1000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(events, (QList<quint32>{DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE}));
}

TEST_F(DeviceChangeWatcherTest, BurstGivesOneCheckAndASwapCountsAsArrival) {
    if (!isolated) GTEST_SKIP() << "mounting is not permitted here";
    Mount("old");
    auto watcher = Watch(MountsOnly());
    Unmounted("old");
    Mount("a");
    Mount("b");
    ASSERT_TRUE(WaitForEvent(1000));
    EXPECT_FALSE(WaitForEvent(600));  // nothing more follows
    EXPECT_EQ(events, QList<quint32>{DBT_DEVICEARRIVAL});
    EXPECT_EQ(snapshots, 2);  // at construction, then once for the burst
}

TEST_F(DeviceChangeWatcherTest, KernelBlockDeviceEventTriggersACheck) {
    QStringList devices{"card"};
    DeviceChangeWatcher::Options options;
    options.mount_table.clear();
    auto watcher = Watch(options, [&] { return devices; });
    QFile trigger("/sys/class/block/loop0/uevent");
    if (!watcher->watchesDeviceEvents() || !trigger.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "no kernel device events here";
    devices.clear();  // the card's device has gone
    trigger.write("change\n");
    trigger.close();
    ASSERT_TRUE(WaitForEvent(1000));
    EXPECT_EQ(events, QList<quint32>{DBT_DEVICEREMOVECOMPLETE});
}

}  // namespace
