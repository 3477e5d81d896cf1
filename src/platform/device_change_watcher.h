#pragma once
// Turns mounts appearing or disappearing, and block devices being added or
// removed, into device-change events, without polling.

#include "platform/removable_volumes.h"
#include "platform/system_paths.h"
#include "platform/unique_fd.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace quillmar {

class DeviceChangeWatcher : public QObject {
    Q_OBJECT
public:
    // Describes the current devices; two equal lists mean nothing changed.
    using Snapshot = std::function<QStringList()>;

    struct Options {
        QString mount_table = QStringLiteral("/proc/self/mountinfo");  // empty: not watched
        bool device_events = true;                                     // the kernel's block device events (netlink)
        std::chrono::milliseconds settle{300};
        // The devices as the caller last listed them. Starting from that
        // list, not a second look, saves a scan at start-up and cannot miss
        // a card that came between the two.
        std::optional<QStringList> first_snapshot;
    };

    // Takes the first snapshot now (unless given); later ones after each burst of changes.
    DeviceChangeWatcher(Options options, Snapshot snapshot, QObject* parent = nullptr);
    ~DeviceChangeWatcher() override;

    bool WatchesMounts() const { return mount_notifier_ != nullptr; }
    bool WatchesDeviceEvents() const { return uevent_notifier_ != nullptr; }

signals:
    // DBT_DEVICEARRIVAL when something appeared (whatever else went),
    // otherwise DBT_DEVICEREMOVECOMPLETE when something went.
    void DeviceChange(quint32 event);

private:
    void ScheduleCheck();
    void Check();
    void DrainDeviceEvents();

    Snapshot snapshot_;
    QStringList last_;
    QTimer settle_timer_;
    QElapsedTimer pending_since_;
    // Each notifier goes before the descriptor it watches (members are
    // destroyed last first).
    UniqueFd mount_fd_;
    UniqueFd uevent_fd_;
    std::unique_ptr<QSocketNotifier> mount_notifier_;
    std::unique_ptr<QSocketNotifier> uevent_notifier_;
};

// The snapshot for the live system: each removable volume's root and device.
QStringList RemovableVolumeSnapshot(const SystemPaths& paths);
// The same snapshot of volumes already listed.
QStringList RemovableVolumeSnapshot(const QList<RemovableVolume>& volumes);

}  // namespace quillmar
