// Ejecting a card through UDisks2: unmount each of its file systems, then power the drive off.
#include "platform/card_eject.h"

#include "platform/udisks_objects.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace quillmar {

namespace {

const QString kService = QStringLiteral("org.freedesktop.UDisks2");
const QString kManagerPath = QStringLiteral("/org/freedesktop/UDisks2");
const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString kDrive = QStringLiteral("org.freedesktop.UDisks2.Drive");
constexpr int kLookupTimeoutMs = 30 * 1000;

QString NoServiceText(const QString& why) {
    return QStringLiteral(
               "UDisks2 is not available on the system bus (%1); unmount the card with the system's own "
               "tools.")
        .arg(why);
}

// The folder as UDisks2 lists mount points: absolute, no trailing slash.
QStringList RootForms(const QString& root) {
    QStringList forms{QDir::cleanPath(QFileInfo(root).absoluteFilePath())};
    const QString canonical = QFileInfo(root).canonicalFilePath();
    if (!canonical.isEmpty() && canonical != forms.first()) forms << canonical;
    return forms;
}

EjectOutcome::Status StatusOfError(const QString& name) {
    if (name == QLatin1String("org.freedesktop.UDisks2.Error.DeviceBusy")) return EjectOutcome::kBusy;
    if (name.startsWith(QLatin1String("org.freedesktop.UDisks2.Error.NotAuthorized")))
        return EjectOutcome::kNotAuthorized;  // also ...CanObtain and ...Dismissed
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return EjectOutcome::kNoService;
    return EjectOutcome::kFailed;
}

// The daemon passes on what the tools it runs print, newline and all.
QString ErrorText(const QDBusError& error) {
    return (error.message().isEmpty() ? error.name() : error.message()).trimmed();
}

// Nothing left to unmount: someone else did it, or the device went away
// meanwhile and its object with it.
bool IsAlreadyGone(const QString& name) {
    return name == QLatin1String("org.freedesktop.UDisks2.Error.NotMounted") ||
           name == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
           name == QLatin1String("org.freedesktop.DBus.Error.UnknownObject");
}

// Each Unmount takes off one mount point; a daemon that keeps answering
// yes while the mount stays must not hold the eject forever.
constexpr int kMaxUnmountRounds = 8;

QString CanBePulledText(const QStringList& mounts) {
    return QStringLiteral("Unmounted %1; the card can be pulled.").arg(mounts.join(QStringLiteral(", ")));
}

QString CloseThenEjectText(const QString& mount) {
    return QStringLiteral("close the files and windows that use it, then eject %1.").arg(mount);
}

}  // namespace

CardEjector::CardEjector(QObject* parent) : QObject(parent) {}

CardEjector::~CardEjector() = default;

void CardEjector::Start(const EjectRequest& request) {
    if (started_) return;
    started_ = true;
    request_ = request;
    RegisterUdisksDBusTypes();
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        Finish(EjectOutcome::kNoService,
               NoServiceText(QStringLiteral("no system bus: %1").arg(bus.lastError().message())));
        return;
    }
    ReadObjects();
}

void CardEjector::ReadObjects() {
    // MountPoints is aay, which QDBusInterface::property cannot hand back:
    // the object manager gives every object's properties in one go.
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kManagerPath, kObjectManager, QStringLiteral("GetManagedObjects"));
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call, kLookupTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &CardEjector::OnObjects);
}

void CardEjector::OnObjects(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    UdisksObjects objects;
    EjectOutcome::Status status = EjectOutcome::kFailed;
    QString failure;
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QDBusError error(reply);
        status = StatusOfError(error.name());
        failure = status == EjectOutcome::kNoService
                      ? NoServiceText(ErrorText(error))
                      : QStringLiteral("UDisks2 could not list the drives: %1").arg(ErrorText(error));
    } else if (reply.arguments().size() != 1 ||
               !DecodeUdisksObjects(reply.arguments().constFirst().value<QDBusArgument>(), &objects)) {
        failure = QStringLiteral("UDisks2 gave an answer of an unexpected form.");
    }
    if (!failure.isEmpty()) {
        // What is left stays unknown, so nothing is said to be unmounted.
        if (stopping_)
            Finish(stop_status_, stop_message_);
        else
            Finish(status, failure);
        return;
    }
    if (outcome_.drive.isEmpty() && !FindCard(objects)) return;
    UnmountWhatIsLeft(objects);
}

bool CardEjector::FindCard(const UdisksObjects& objects) {
    const QStringList forms = RootForms(request_.root);
    const UdisksBlock* card = nullptr;
    for (const UdisksBlock& b : objects.blocks) {
        for (const QByteArray& mp : b.mount_points)
            if (forms.contains(UdisksPathText(mp))) card = &b;
        if (card) break;
    }
    if (!card) {
        Finish(EjectOutcome::kNotFound,
               QStringLiteral("\"%1\" is not the folder of a card mounted through UDisks2.").arg(request_.root));
        return false;
    }
    const QString device = UdisksPathText(card->device);
    if (card->drive.isEmpty() || card->drive == QLatin1String("/") || !objects.drives.contains(card->drive)) {
        Finish(EjectOutcome::kRefused, QStringLiteral("%1 belongs to no drive that can be ejected.").arg(device));
        return false;
    }
    const UdisksDrive& drive = objects.drives[card->drive];
    if (!drive.removable) {
        Finish(EjectOutcome::kRefused,
               QStringLiteral("%1 is not on a removable drive; it is not ejected.").arg(device));
        return false;
    }
    for (const UdisksBlock& b : objects.blocks) {
        if (b.drive == card->drive && b.hint_system) {
            Finish(
                EjectOutcome::kRefused,
                QStringLiteral("%1 is on a drive the system uses; it is not ejected.").arg(UdisksPathText(b.device)));
            return false;
        }
    }
    outcome_.drive = card->drive;
    card_block_ = card->path;
    power_off_ = drive.can_power_off;
    eject_after_ = drive.can_power_off || drive.ejectable;
    return true;
}

void CardEjector::UnmountWhatIsLeft(const UdisksObjects& objects) {
    // The card's own file system first, then the drive's others.
    pending_.clear();
    pending_mounts_.clear();
    QStringList left;
    for (const UdisksBlock& b : objects.blocks) {
        if (b.drive != outcome_.drive || !b.has_filesystem || b.mount_points.isEmpty()) continue;
        const bool card = b.path == card_block_;
        QStringList mounts;
        for (const QByteArray& mp : b.mount_points) mounts << UdisksPathText(mp);
        pending_.insert(card ? 0 : pending_.size(), b.path);
        pending_mounts_.insert(card ? 0 : pending_mounts_.size(), mounts.constFirst());
        left = card ? mounts + left : left + mounts;
    }
    if (mounted_at_start_.isEmpty()) mounted_at_start_ = left;
    outcome_.left = left;
    outcome_.unmounted.clear();
    for (const QString& mount : mounted_at_start_)
        if (!left.contains(mount)) outcome_.unmounted << mount;

    if (stopping_) {
        Finish(
            stop_status_,
            outcome_.unmounted.isEmpty()
                ? stop_message_
                : QStringLiteral("Unmounted %1; %2").arg(outcome_.unmounted.join(QStringLiteral(", ")), stop_message_));
        return;
    }
    if (left.isEmpty()) {
        if (power_refused_.isEmpty()) {
            PowerOff();
        } else {
            // Nothing is mounted as the daemon sees it, yet the drive is in use.
            Finish(EjectOutcome::kBusy,
                   QStringLiteral("The drive of %1 was not %2, it is still in use (%3); do not "
                                  "pull the card yet.")
                       .arg(mounted_at_start_.value(0, request_.root),
                            power_off_ ? QStringLiteral("powered off") : QStringLiteral("ejected"), power_refused_));
        }
        return;
    }
    if (rounds_ == kMaxUnmountRounds) {
        Finish(EjectOutcome::kBusy, QStringLiteral("%1 is still mounted: %2")
                                        .arg(left.join(QStringLiteral(", ")), CloseThenEjectText(left.constFirst())));
        return;
    }
    ++rounds_;
    power_refused_.clear();
    UnmountNext();
}

void CardEjector::Call(const QString& path, const QString& interface, const QString& method,
                       void (CardEjector::*then)(QDBusPendingCallWatcher*)) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, path, interface, method);
    // The command line must never wait on a password dialog nobody sees.
    call << QVariantMap{{QStringLiteral("auth.no_user_interaction"), !request_.allow_interaction}};
    call.setInteractiveAuthorizationAllowed(request_.allow_interaction);
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call, request_.timeout_ms), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, then);
}

void CardEjector::UnmountNext() {
    // Each round ends with a read-back: an Unmount may have left a mount.
    if (pending_.isEmpty()) {
        ReadObjects();
        return;
    }
    Call(pending_.constFirst(), kFilesystem, QStringLiteral("Unmount"), &CardEjector::OnUnmounted);
}

void CardEjector::OnUnmounted(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QString mount = pending_mounts_.takeFirst();
    pending_.removeFirst();
    const QDBusMessage reply = call->reply();
    if (reply.type() == QDBusMessage::ErrorMessage && !IsAlreadyGone(QDBusError(reply).name())) {
        const QDBusError error(reply);
        const EjectOutcome::Status status = StatusOfError(error.name());
        switch (status) {
        case EjectOutcome::kBusy:
            Stop(status, QStringLiteral("%1 is busy: %2").arg(mount, CloseThenEjectText(mount)));
            break;
        case EjectOutcome::kNotAuthorized:
            Stop(status, QStringLiteral("not allowed to unmount %1: %2").arg(mount, ErrorText(error)));
            break;
        case EjectOutcome::kNoService:
            Stop(status, NoServiceText(ErrorText(error)));
            break;
        default:
            Stop(status, QStringLiteral("%1 could not be unmounted: %2").arg(mount, ErrorText(error)));
            break;
        }
        return;
    }
    UnmountNext();
}

void CardEjector::PowerOff() {
    if (!eject_after_) {
        outcome_.warning = QStringLiteral("the drive can be neither powered off nor ejected");
        Finish(EjectOutcome::kUnmounted, CanBePulledText(outcome_.unmounted));
        return;
    }
    Call(outcome_.drive, kDrive, power_off_ ? QStringLiteral("PowerOff") : QStringLiteral("Eject"),
         &CardEjector::OnPoweredOff);
}

void CardEjector::OnPoweredOff(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QDBusError error(reply);
        if (error.name() == QLatin1String("org.freedesktop.UDisks2.Error.DeviceBusy")) {
            // Something of the drive is mounted (again): see what, and go round once more.
            power_refused_ = ErrorText(error);
            ReadObjects();
            return;
        }
        // Every file system is off the card: it is safe to pull.
        outcome_.warning = ErrorText(error);
        Finish(EjectOutcome::kUnmounted, CanBePulledText(outcome_.unmounted));
        return;
    }
    Finish(EjectOutcome::kPoweredOff,
           QStringLiteral("Ejected %1; the card can be pulled.").arg(outcome_.unmounted.join(QStringLiteral(", "))));
}

void CardEjector::Stop(EjectOutcome::Status status, const QString& message) {
    // Read back first, so the message can say what was already taken off.
    stopping_ = true;
    stop_status_ = status;
    stop_message_ = message;
    ReadObjects();
}

void CardEjector::Finish(EjectOutcome::Status status, const QString& message) {
    outcome_.status = status;
    outcome_.message = message;
    // Always from the event loop, so a caller connects after Start in peace.
    QTimer::singleShot(0, this, [this] { emit Finished(outcome_); });
}

EjectOutcome EjectCard(const EjectRequest& request) {
    CardEjector ejector;
    QEventLoop loop;
    EjectOutcome outcome;
    QObject::connect(&ejector, &CardEjector::Finished, &loop, [&](const EjectOutcome& o) {
        outcome = o;
        loop.quit();
    });
    ejector.Start(request);
    loop.exec();
    return outcome;
}

UdisksAvailability CheckUdisksAvailable() {
    RegisterUdisksDBusTypes();
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return {false, QStringLiteral("There is no system bus to reach UDisks2: %1").arg(bus.lastError().message())};
    const QDBusConnectionInterface* daemon = bus.interface();
    if (daemon && daemon->isServiceRegistered(kService).value()) return {true, {}};
    // Not running yet, but the bus starts it on the first call.
    const QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames"));
    const QDBusMessage reply = bus.call(call, QDBus::Block, kLookupTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
        reply.arguments().constFirst().toStringList().contains(kService))
        return {true, {}};
    return {false, QStringLiteral("UDisks2, which unmounts and powers off drives, is not available on this system.")};
}

}  // namespace quillmar
