#include "platform/device_change_watcher.h"
#include "platform/device_events.h"
#include "platform/mount_table.h"

#include "support/tmpfs_mount.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using test_support::MountTmpfs;
using test_support::Unmount;

void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Collects the watcher's events while the event loop runs.
class EventLog {
public:
    explicit EventLog(DeviceChangeWatcher& watcher) {
        QObject::connect(&watcher, &DeviceChangeWatcher::deviceChange, [this](quint32 e) {
            events_.append(e);
            if (loop_) loop_->quit();
        });
    }
    // Runs the event loop until an event is logged or `ms` have passed.
    bool wait(int ms) {
        const qsizetype before = events_.size();
        QEventLoop loop;
        loop_ = &loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        loop_ = nullptr;
        return events_.size() > before;
    }
    qsizetype size() const { return events_.size(); }
    quint32 at(qsizetype i) const { return events_.at(i); }
    quint32 takeFirst() { return events_.takeFirst(); }

private:
    QList<quint32> events_;
    QEventLoop* loop_ = nullptr;
};

class DeviceChangeWatcherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        isolated = test_support::IsolateMounts();
        static int argc = 1;
        static char name[] = "test_platform";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }

    void SetUp() override {
        // A probe mount tells whether this machine lets us mount at all.
        const QString probe = dir.path() + "/probe";
        QDir().mkpath(probe);
        if (!MountTmpfs(probe)) GTEST_SKIP() << "mounting is not permitted here";
        Unmount(probe);
    }

    void TearDown() override {
        for (const QString& m : mounted) Unmount(m);
    }

    QString Mount(const QString& name) {
        const QString path = dir.path() + '/' + name;
        QDir().mkpath(path);
        if (MountTmpfs(path)) mounted << path;
        return path;
    }
    void Unmounted(const QString& path) {
        if (Unmount(path)) mounted.removeAll(path);
    }

    // Mount folders under our temporary folder, from the live table.
    DeviceChangeWatcher::Snapshot OurMounts() {
        return [this] {
            ++snapshots;
            QStringList dirs;
            for (const MountEntry& e : ReadMountTable("/proc/self/mountinfo"))
                if (e.mount_dir.startsWith(dir.path() + '/')) dirs << e.mount_dir;
            return dirs;
        };
    }

    static DeviceChangeWatcher::Options MountsOnly() {
        DeviceChangeWatcher::Options options;
        options.device_events = false;
        return options;
    }

    static inline bool isolated = false;
    QTemporaryDir dir;
    QStringList mounted;
    int snapshots = 0;
};

TEST_F(DeviceChangeWatcherTest, MountAndUnmountAreReportedWithinASecond) {
    DeviceChangeWatcher watcher(MountsOnly(), OurMounts());
    ASSERT_TRUE(watcher.watchesMounts());
    EventLog spy(watcher);

    QElapsedTimer clock;
    clock.start();
    const QString card = Mount("card");
    ASSERT_TRUE(spy.wait(1000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(spy.takeFirst(), DBT_DEVICEARRIVAL);

    clock.restart();
    Unmounted(card);
    ASSERT_TRUE(spy.wait(1000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(spy.takeFirst(), DBT_DEVICEREMOVECOMPLETE);
}

TEST_F(DeviceChangeWatcherTest, BurstOfMountChangesGivesOneCheckAndOneEvent) {
    if (!isolated) GTEST_SKIP() << "mounts of other programs would be counted too";
    DeviceChangeWatcher watcher(MountsOnly(), OurMounts());
    EventLog spy(watcher);
    const QString first = Mount("a");
    Mount("b");
    Unmounted(first);
    Mount("c");
    ASSERT_TRUE(spy.wait(1000));
    spy.wait(600);  // nothing more may follow
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0), DBT_DEVICEARRIVAL);
    EXPECT_EQ(snapshots, 2);  // the first at construction, then one for the burst
}

TEST_F(DeviceChangeWatcherTest, SwappedCardCountsAsArrivalAndMountsElsewhereAsNothing) {
    const QString old = Mount("old");
    DeviceChangeWatcher watcher(MountsOnly(), OurMounts());
    EventLog spy(watcher);
    Unmounted(old);
    Mount("new");
    ASSERT_TRUE(spy.wait(1000));
    EXPECT_EQ(spy.takeFirst(), DBT_DEVICEARRIVAL);

    // A mount outside the watched set changes the table but not the snapshot.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(MountTmpfs(elsewhere.path()));
    const int before = snapshots;
    QElapsedTimer clock;
    clock.start();
    while (snapshots == before && clock.elapsed() < 1000) RunEventLoop(50);
    Unmount(elsewhere.path());
    EXPECT_GT(snapshots, before);
    EXPECT_FALSE(spy.wait(500));
}

TEST_F(DeviceChangeWatcherTest, KernelBlockDeviceEventTriggersACheck) {
    const QString uevent = "/sys/class/block/loop0/uevent";
    QStringList devices{"a"};
    DeviceChangeWatcher::Options options;
    options.mount_table.clear();
    DeviceChangeWatcher watcher(options, [&] { return devices; });
    if (!watcher.watchesDeviceEvents()) GTEST_SKIP() << "no kernel device events here";
    QFile trigger(uevent);
    if (!trigger.open(QIODevice::WriteOnly)) GTEST_SKIP() << "cannot raise a device event here";
    EventLog spy(watcher);

    devices.clear();  // the card's device went away
    trigger.write("change\n");
    trigger.close();
    ASSERT_TRUE(spy.wait(1000));
    EXPECT_EQ(spy.takeFirst(), DBT_DEVICEREMOVECOMPLETE);
}

}  // namespace
