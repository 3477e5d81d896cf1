// Device-change events from the mount table and the kernel's block-device events, without polling.
#include "platform/device_change_watcher.h"

#include "platform/device_events.h"
#include "platform/log_categories.h"
#include "platform/removable_volumes.h"

#include <QFile>
#include <QSocketNotifier>
#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillmar {

namespace {

// A burst that keeps going still gets looked at after this long.
constexpr qint64 kLongestSettleMs = 2000;

// Invalid, with the reason logged, when the events cannot be had.
UniqueFd OpenUeventSocket() {
    UniqueFd fd(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT));
    if (!fd.Valid()) {
        qCWarning(lcWatcher).noquote() << "cards pulled without unmounting go unnoticed: no netlink socket -"
                                       << qt_error_string(errno);
        return fd;
    }
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = 1;  // the kernel's own events, not udev's re-broadcast
    if (::bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        qCWarning(lcWatcher).noquote() << "cards pulled without unmounting go unnoticed: cannot join the kernel's"
                                       << "device events -" << qt_error_string(errno);
        return UniqueFd();
    }
    return fd;
}

// A kernel event is "ACTION@DEVPATH" followed by NUL-separated KEY=value.
bool IsBlockDeviceEvent(QByteArrayView message) {
    return QByteArray::fromRawData(message.data(), message.size()).split('\0').contains("SUBSYSTEM=block");
}

}  // namespace

DeviceChangeWatcher::DeviceChangeWatcher(Options options, Snapshot snapshot, QObject* parent)
    : QObject(parent), snapshot_(std::move(snapshot)) {
    settle_timer_.setSingleShot(true);
    settle_timer_.setInterval(options.settle);
    connect(&settle_timer_, &QTimer::timeout, this, &DeviceChangeWatcher::Check);

    // The kernel flags the mount table with POLLPRI (not POLLIN, which is
    // always ready) after every mount or unmount in our namespace.
    if (!options.mount_table.isEmpty()) {
        mount_fd_ = UniqueFd(::open(QFile::encodeName(options.mount_table).constData(), O_RDONLY | O_CLOEXEC));
        if (mount_fd_.Valid()) {
            mount_notifier_ = std::make_unique<QSocketNotifier>(mount_fd_.Get(), QSocketNotifier::Exception);
            connect(mount_notifier_.get(), &QSocketNotifier::activated, this, &DeviceChangeWatcher::ScheduleCheck);
        } else {
            qCWarning(lcWatcher).noquote() << "mounts and unmounts go unnoticed: cannot open" << options.mount_table
                                           << '-' << qt_error_string(errno);
        }
    }
    // A card pulled without unmounting leaves its mount behind; only the
    // device's removal tells us.
    if (options.device_events) {
        uevent_fd_ = OpenUeventSocket();
        if (uevent_fd_.Valid()) {
            uevent_notifier_ = std::make_unique<QSocketNotifier>(uevent_fd_.Get(), QSocketNotifier::Read);
            connect(uevent_notifier_.get(), &QSocketNotifier::activated, this, &DeviceChangeWatcher::DrainDeviceEvents);
        }
    }
    last_ = options.first_snapshot ? *options.first_snapshot : snapshot_();
    last_.sort();
}

DeviceChangeWatcher::~DeviceChangeWatcher() = default;

void DeviceChangeWatcher::ScheduleCheck() {
    // Each new change restarts the wait, so a burst gives one check.
    if (!settle_timer_.isActive()) {
        pending_since_.start();
        settle_timer_.start();
    } else if (pending_since_.elapsed() < kLongestSettleMs) {
        settle_timer_.start();
    }
}

void DeviceChangeWatcher::DrainDeviceEvents() {
    char buffer[8192];
    bool relevant = false;
    for (;;) {
        sockaddr_nl sender{};
        socklen_t senderSize = sizeof sender;
        const ssize_t n =
            ::recvfrom(uevent_fd_.Get(), buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &senderSize);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == ENOBUFS) {  // events were lost; look anyway
                qCDebug(lcWatcher) << "kernel device events were lost; checking the drives anyway";
                relevant = true;
            }
            break;
        }
        // Only the kernel (port 0) speaks for devices.
        if (sender.nl_pid == 0 && IsBlockDeviceEvent(QByteArrayView(buffer, n))) relevant = true;
    }
    if (relevant) ScheduleCheck();
}

void DeviceChangeWatcher::Check() {
    QStringList now = snapshot_();
    now.sort();
    const bool arrived = std::any_of(now.cbegin(), now.cend(), [&](const QString& s) { return !last_.contains(s); });
    const bool removed = std::any_of(last_.cbegin(), last_.cend(), [&](const QString& s) { return !now.contains(s); });
    last_ = std::move(now);
    if (arrived)
        emit DeviceChange(DBT_DEVICEARRIVAL);
    else if (removed)
        emit DeviceChange(DBT_DEVICEREMOVECOMPLETE);
}

QStringList RemovableVolumeSnapshot(const SystemPaths& paths) {
    return RemovableVolumeSnapshot(ListRemovableVolumes(paths));
}

QStringList RemovableVolumeSnapshot(const QList<RemovableVolume>& volumes) {
    QStringList snapshot;
    for (const RemovableVolume& v : volumes)
        snapshot << QStringLiteral("%1 %2:%3").arg(v.root).arg(v.device.major).arg(v.device.minor);
    return snapshot;
}

}  // namespace quillmar
