// Card discovery: enumerating drives and refreshing the card list on a fake
// machine with 20 cards (real folders, so space and version.txt are read for
// real), and the cost of an idle device-change watcher.

#include "cards/card_list.h"
#include "platform/device_change_watcher.h"
#include "platform/mounted_drive_source.h"
#include "platform/removable_volumes.h"

#include "cards/fake_card_list_view.h"
#include "support/fake_system_tree.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace quillmar {

namespace {

constexpr int kCards = 20;

// 20 USB card readers, each with a mounted card; every other card carries a
// version.txt. Surrounded by the usual system disks.
struct TwentyCards {
    QTemporaryDir dir;
    test_support::FakeSystemTree tree{dir.path() + "/fake"};

    TwentyCards() {
        namespace dp = test_support::devpaths;
        tree.AddDevice(dp::Sata("sda"), 8, 0, "0");
        tree.AddDevice(dp::Sata("sda/sda1"), 8, 1);
        tree.AddMount(8, 1, "/", "ext4", "/dev/sda1");
        tree.AddMount(0, 20, "/proc", "proc", "proc");
        tree.AddMount(0, 21, "/sys", "sysfs", "sysfs");
        for (int i = 0; i < kCards; ++i) {
            const QByteArray disk = "sd" + QByteArray(1, static_cast<char>('b' + i));
            const unsigned major = i < 14 ? 8 : 65;
            const unsigned minor = static_cast<unsigned>((i % 14 + 1) * 16);
            tree.AddDevice(dp::Usb(i + 1, disk), major, minor, i % 2 == 0 ? "1" : "0");
            tree.AddDevice(dp::Usb(i + 1, disk + '/' + disk + '1'), major, minor + 1);
            const QString mountDir = dir.path() + QStringLiteral("/media/CARD%1").arg(i, 2, 10, QLatin1Char('0'));
            QDir().mkpath(mountDir);
            tree.AddMount(major, minor + 1, QFile::encodeName(mountDir), "vfat", "/dev/" + disk + '1');
            tree.SetUdevRecord(major, minor + 1,
                               "E:ID_FS_TYPE=vfat\nE:ID_FS_LABEL_ENC=CARD\\x20" + QByteArray::number(i) + "\n");
            if (i % 2 == 0) {
                QFile version(mountDir + "/version.txt");
                if (version.open(QIODevice::WriteOnly)) version.write("V1.02\r\n");
            }
        }
    }
};

void BM_ListRemovableVolumes(benchmark::State& state) {
    TwentyCards machine;
    for (auto _ : state) {
        const QList<RemovableVolume> volumes = ListRemovableVolumes(machine.tree.Paths());
        if (volumes.size() != kCards) state.SkipWithError("wrong number of cards");
    }
}
BENCHMARK(BM_ListRemovableVolumes)->Unit(benchmark::kMicrosecond);

void BM_RefreshCardList(benchmark::State& state) {
    TwentyCards machine;
    MountedDriveSource drives(machine.tree.Paths());
    FakeCardListView view;
    CardList list(view, drives);
    view.owner = &list;
    for (auto _ : state) {
        list.RefreshCardList();
        if (view.ItemCount() != kCards) state.SkipWithError("wrong number of rows");
    }
}
BENCHMARK(BM_RefreshCardList)->Unit(benchmark::kMicrosecond);

// Real time is the wait; CPU time is what the idle watcher costs.
void BM_IdleWatcher(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "bench_cards";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    const SystemPaths paths;
    DeviceChangeWatcher watcher({}, [&] { return RemovableVolumeSnapshot(paths); });
    if (!watcher.WatchesMounts()) state.SkipWithError("mount table not watchable");
    for (auto _ : state) {
        QEventLoop loop;
        QTimer::singleShot(500, &loop, &QEventLoop::quit);
        loop.exec();
    }
}
BENCHMARK(BM_IdleWatcher)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace

}  // namespace quillmar
