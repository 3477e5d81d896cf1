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

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "test_platform", *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

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

// Given the caller's list, the watcher takes no snapshot of its own at the
// start, and the next change is measured against that list; after that,
// one snapshot per change or burst.
TEST(DeviceChangeWatcher, MountsAreReportedAndABurstGivesOneCheck) {
    if (!kMountsIsolated) GTEST_SKIP() << "mounting is not permitted here";
    App();
    QTemporaryDir dir;
    const auto folder = [&](const char* name) {
        return QDir().mkpath(dir.path() + '/' + name), dir.path() + '/' + name;
    };
    std::optional<test_support::ScopedTmpfs> old(folder("old")), card, a, b;
    int snapshots = 0;
    QList<quint32> events;
    DeviceChangeWatcher::Options options;
    options.device_events = false;
    options.first_snapshot = QStringList{"listed"};
    DeviceChangeWatcher watcher(options, [&] {
        ++snapshots;
        QStringList dirs;
        for (const MountEntry& e : ReadMountTable("/proc/self/mountinfo"))
            if (e.mount_dir.startsWith(dir.path() + '/')) dirs << e.mount_dir;
        return dirs;
    });
    QObject::connect(&watcher, &DeviceChangeWatcher::DeviceChange, [&events](quint32 e) { events << e; });
    ASSERT_TRUE(watcher.WatchesMounts());
    EXPECT_EQ(snapshots, 0);
    card.emplace(folder("card"));  // "listed" went and the card came: an arrival, as for any swap
    ASSERT_TRUE(WaitForEvent(watcher, 10000));
    card.reset();
    ASSERT_TRUE(WaitForEvent(watcher, 10000));
    old.reset();  // a swap in one burst: one check, reported as an arrival
    a.emplace(folder("a"));
    b.emplace(folder("b"));
    ASSERT_TRUE(WaitForEvent(watcher, 10000));
    EXPECT_FALSE(WaitForEvent(watcher, 600));
    EXPECT_EQ(events, (QList<quint32>{DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE, DBT_DEVICEARRIVAL}));
    EXPECT_EQ(snapshots, 3);
}

// The descriptors it watches are its own: closed when it goes. A source that
// cannot be opened is reported even with debug messages off.
TEST(DeviceChangeWatcher, ClosesWhatItOpenedAndWarnsAboutWhatItCouldNotOpen) {
    App();
    const auto fds = [] { return test_support::Entries("/proc/self/fd"); };
    const QStringList before = fds();
    DeviceChangeWatcher::Options options;
    auto watcher = std::make_unique<DeviceChangeWatcher>(options, [] { return QStringList(); });
    ASSERT_TRUE(watcher->WatchesMounts());
    EXPECT_EQ(fds().size(), before.size() + 1 + (watcher->WatchesDeviceEvents() ? 1 : 0));
    watcher.reset();
    EXPECT_EQ(fds(), before);

    static QStringList warnings;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& c, const QString& text) {
            if (type == QtWarningMsg) warnings << QString::fromLatin1(c.category) + ": " + text;
        });
    options.mount_table = "/nonexistent/mountinfo";
    options.device_events = false;
    watcher = std::make_unique<DeviceChangeWatcher>(options, [] { return QStringList(); });
    qInstallMessageHandler(previous);
    EXPECT_FALSE(watcher->WatchesMounts());
    EXPECT_EQ(warnings, QStringList("quillmar.watcher: mounts and unmounts go unnoticed: cannot open "
                                    "/nonexistent/mountinfo - No such file or directory"));
}

}  // namespace

}  // namespace quillmar
