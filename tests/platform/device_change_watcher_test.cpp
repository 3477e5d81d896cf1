#include "platform/device_change_watcher.h"
#include "platform/device_events.h"
#include "platform/mount_table.h"

#include "support/test_files.h"
#include "support/tmpfs_mount.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <optional>

namespace quillmar {

namespace {

// Our own mount table, so mounts of tests running beside us stay unseen;
// made before any thread starts.
const bool kMountsIsolated = test_support::IsolateMounts();

// Runs the event loop until the watcher reports or `ms` have passed: a
// deadline for a busy machine, not a goal (the benchmarks time it).
bool WaitForEvent(const DeviceChangeWatcher& watcher, int ms) {
    QEventLoop loop;
    bool reported = false;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    QObject::connect(&watcher, &DeviceChangeWatcher::DeviceChange, &loop, [&] { reported = true, loop.quit(); });
    loop.exec();
    return reported;
}

TEST(DeviceChangeWatcher, MountsAreReportedAndABurstGivesOneCheck) {
    if (!kMountsIsolated) GTEST_SKIP() << "mounting is not permitted here";
    QTemporaryDir dir;
    const auto folder = [&](const char* name) {
        return QDir().mkpath(dir.path() + '/' + name), dir.path() + '/' + name;
    };
    std::optional<test_support::ScopedTmpfs> old, card, a, b;
    old.emplace(folder("old"));
    int snapshots = 0;
    QList<quint32> events;
    DeviceChangeWatcher::Options options;
    options.device_events = false;
    static int argc = 1;
    static char name[] = "test_platform", *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const auto watcher = std::make_unique<DeviceChangeWatcher>(options, [&] {
        ++snapshots;
        QStringList dirs;
        for (const MountEntry& e : ReadMountTable("/proc/self/mountinfo"))
            if (e.mount_dir.startsWith(dir.path() + '/')) dirs << e.mount_dir;
        return dirs;
    });
    QObject::connect(watcher.get(), &DeviceChangeWatcher::DeviceChange, [&events](quint32 e) { events << e; });
    ASSERT_TRUE(watcher->WatchesMounts());
    card.emplace(folder("card"));
    ASSERT_TRUE(WaitForEvent(*watcher, 10000));
    card.reset();
    ASSERT_TRUE(WaitForEvent(*watcher, 10000));
    old.reset();  // a swap in one burst: one check, reported as an arrival
    a.emplace(folder("a"));
    b.emplace(folder("b"));
    ASSERT_TRUE(WaitForEvent(*watcher, 10000));
    EXPECT_FALSE(WaitForEvent(*watcher, 600));
    EXPECT_EQ(events, (QList<quint32>{DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE, DBT_DEVICEARRIVAL}));
    EXPECT_EQ(snapshots, 4);  // at construction, then once per change or burst
}

// Given the caller's list, the watcher takes no snapshot of its own at the
// start, and the next change is measured against that list.
TEST(DeviceChangeWatcher, StartsFromTheCallersListWhenGivenOne) {
    if (!kMountsIsolated) GTEST_SKIP() << "mounting is not permitted here";
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/card");
    int snapshots = 0;
    DeviceChangeWatcher::Options options;
    options.device_events = false;
    options.first_snapshot = QStringList{"listed"};
    static int argc = 1;
    static char name[] = "test_platform", *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QList<quint32> events;
    const auto watcher = std::make_unique<DeviceChangeWatcher>(options, [&] {
        ++snapshots;
        QStringList dirs;
        for (const MountEntry& e : ReadMountTable("/proc/self/mountinfo"))
            if (e.mount_dir.startsWith(dir.path() + '/')) dirs << e.mount_dir;
        return dirs;
    });
    QObject::connect(watcher.get(), &DeviceChangeWatcher::DeviceChange, [&events](quint32 e) { events << e; });
    EXPECT_EQ(snapshots, 0);
    std::optional<test_support::ScopedTmpfs> card;
    card.emplace(dir.path() + "/card");
    ASSERT_TRUE(WaitForEvent(*watcher, 10000));
    EXPECT_EQ(snapshots, 1);
    // "listed" went and the card came: an arrival, as for any swap.
    EXPECT_EQ(events, QList<quint32>{DBT_DEVICEARRIVAL});
}

QStringList OpenFds() {
    return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
}

// The descriptors it watches are its own: closed when it goes. A source that
// cannot be opened is reported even with debug messages off.
TEST(DeviceChangeWatcher, ClosesWhatItOpenedAndWarnsAboutWhatItCouldNotOpen) {
    static int argc = 1;
    static char name[] = "test_platform", *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const QStringList before = OpenFds();
    DeviceChangeWatcher::Options options;
    auto watcher = std::make_unique<DeviceChangeWatcher>(options, [] { return QStringList(); });
    ASSERT_TRUE(watcher->WatchesMounts());
    EXPECT_EQ(OpenFds().size(), before.size() + 1 + (watcher->WatchesDeviceEvents() ? 1 : 0));
    watcher.reset();
    EXPECT_EQ(OpenFds(), before);

    static QStringList warnings;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& c, const QString& text) {
            if (type == QtWarningMsg) warnings << QString::fromLatin1(c.category) + ": " + text;
        });
    QTemporaryDir dir;
    options.mount_table = dir.path() + "/missing";
    options.device_events = false;
    watcher = std::make_unique<DeviceChangeWatcher>(options, [] { return QStringList(); });
    qInstallMessageHandler(previous);
    EXPECT_FALSE(watcher->WatchesMounts());
    EXPECT_EQ(warnings, QStringList("quillmar.watcher: mounts and unmounts go unnoticed: cannot open " +
                                    options.mount_table + " - No such file or directory"));
    watcher.reset();
    EXPECT_EQ(OpenFds(), before);
}

}  // namespace

}  // namespace quillmar
