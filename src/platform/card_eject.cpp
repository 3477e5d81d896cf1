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

QString ErrorText(const QDBusError& error) { return error.message().isEmpty() ? error.name() : error.message(); }

}  // namespace

CardEjector::CardEjector(QObject* parent) : QObject(parent) {}

CardEjector::~CardEjector() = default;

void CardEjector::Start(const EjectRequest& request) {
    if (started_) return;
    started_ = true;
    request_ = request;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        Finish(EjectOutcome::kNoService,
               NoServiceText(QStringLiteral("no system bus: %1").arg(bus.lastError().message())));
        return;
    }
    // MountPoints is aay, which QDBusInterface::property cannot hand back:
    // the object manager gives every object's properties in one go.
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kManagerPath, kObjectManager, QStringLiteral("GetManagedObjects"));
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kLookupTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &CardEjector::OnObjects);
}

void CardEjector::OnObjects(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QDBusError error(reply);
        const EjectOutcome::Status status = StatusOfError(error.name());
        Finish(status, status == EjectOutcome::kNoService
                           ? NoServiceText(ErrorText(error))
                           : QStringLiteral("UDisks2 could not list the drives: %1").arg(ErrorText(error)));
        return;
    }
    UdisksObjects objects;
    if (reply.arguments().size() != 1 ||
        !DecodeUdisksObjects(reply.arguments().constFirst().value<QDBusArgument>(), &objects)) {
        Finish(EjectOutcome::kFailed, QStringLiteral("UDisks2 gave an answer of an unexpected form."));
        return;
    }

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
        return;
    }
    const QString device = UdisksPathText(card->device);
    if (card->drive.isEmpty() || card->drive == QLatin1String("/") || !objects.drives.contains(card->drive)) {
        Finish(EjectOutcome::kRefused, QStringLiteral("%1 belongs to no drive that can be ejected.").arg(device));
        return;
    }
    outcome_.drive = card->drive;
    const UdisksDrive& drive = objects.drives[card->drive];
    if (!drive.removable) {
        Finish(EjectOutcome::kRefused,
               QStringLiteral("%1 is not on a removable drive; it is not ejected.").arg(device));
        return;
    }
    // The card first, then the drive's other mounted file systems.
    QList<const UdisksBlock*> blocks{card};
    for (const UdisksBlock& b : objects.blocks)
        if (b.drive == card->drive && &b != card) blocks.append(&b);
    for (const UdisksBlock* b : blocks) {
        if (b->hint_system) {
            Finish(
                EjectOutcome::kRefused,
                QStringLiteral("%1 is on a drive the system uses; it is not ejected.").arg(UdisksPathText(b->device)));
            return;
        }
    }
    for (const UdisksBlock* b : blocks) {
        if (!b->has_filesystem || b->mount_points.isEmpty()) continue;
        pending_ << b->path;
        pending_mounts_ << UdisksPathText(b->mount_points.constFirst());
    }
    power_off_ = drive.can_power_off;
    eject_after_ = drive.can_power_off || drive.ejectable;
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
    if (pending_.isEmpty()) {
        PowerOff();
        return;
    }
    Call(pending_.constFirst(), kFilesystem, QStringLiteral("Unmount"), &CardEjector::OnUnmounted);
}

void CardEjector::OnUnmounted(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QString mount = pending_mounts_.takeFirst();
    pending_.removeFirst();
    const QDBusMessage reply = call->reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QDBusError error(reply);
        // Unmounted by someone else meanwhile: the goal is reached for it.
        if (error.name() != QLatin1String("org.freedesktop.UDisks2.Error.NotMounted")) {
            const EjectOutcome::Status status = StatusOfError(error.name());
            QString message;
            switch (status) {
            case EjectOutcome::kBusy:
                message = QStringLiteral("%1 is busy: close the files and windows that use the card, then try again.")
                              .arg(mount);
                break;
            case EjectOutcome::kNotAuthorized:
                message = QStringLiteral("not allowed to unmount %1: %2").arg(mount, ErrorText(error));
                break;
            case EjectOutcome::kNoService:
                message = NoServiceText(ErrorText(error));
                break;
            default:
                message = QStringLiteral("%1 could not be unmounted: %2").arg(mount, ErrorText(error));
                break;
            }
            Finish(status, message);
            return;
        }
    } else {
        outcome_.unmounted << mount;
    }
    UnmountNext();
}

void CardEjector::PowerOff() {
    if (!eject_after_) {
        Finish(
            EjectOutcome::kUnmounted,
            QStringLiteral("Unmounted %1; the card can be pulled.").arg(outcome_.unmounted.join(QStringLiteral(", "))));
        return;
    }
    Call(outcome_.drive, kDrive, power_off_ ? QStringLiteral("PowerOff") : QStringLiteral("Eject"),
         &CardEjector::OnPoweredOff);
}

void CardEjector::OnPoweredOff(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    const QString mounts = outcome_.unmounted.join(QStringLiteral(", "));
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // The file systems are already off the card: it is safe to pull.
        outcome_.warning = QStringLiteral("the drive could not be %1: %2")
                               .arg(power_off_ ? QStringLiteral("powered off") : QStringLiteral("ejected"),
                                    ErrorText(QDBusError(reply)));
        Finish(EjectOutcome::kUnmounted, QStringLiteral("Unmounted %1; the card can be pulled.").arg(mounts));
        return;
    }
    Finish(EjectOutcome::kPoweredOff, QStringLiteral("Ejected %1; the card can be pulled.").arg(mounts));
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
