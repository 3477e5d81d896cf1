#pragma once
// Safe removal of a card through UDisks2 on the system bus: every mounted
// file system of the card's drive is unmounted, read back until none is
// left, then the drive is powered off (or ejected) so the card can be pulled.

#include <QObject>
#include <QString>
#include <QStringList>

class QDBusPendingCallWatcher;
namespace quillmar {

struct UdisksObjects;

// An unmount returns only once the card's data is on it; a slow card with a
// lot still to flush, or a password dialog, may take minutes.
inline constexpr int kEjectCallTimeoutMs = 10 * 60 * 1000;

struct EjectRequest {
    QString root;                    // the card's root folder (its mount point)
    bool allow_interaction = false;  // whether the desktop may ask for a password
    int timeout_ms = kEjectCallTimeoutMs;
};

struct EjectOutcome {
    enum Status {
        kPoweredOff,     // unmounted and the drive powered off or ejected
        kUnmounted,      // unmounted; the drive stays powered (see warning)
        kNoService,      // no system bus, or no UDisks2 on it
        kNotFound,       // UDisks2 knows no file system mounted at the root
        kRefused,        // not a removable drive, a system drive, or no drive
        kBusy,           // a file system is in use, or stays mounted
        kNotAuthorized,  // the authorisation service said no
        kFailed,         // any other error
    };
    Status status = kFailed;
    QString message;        // for the user: what happened, or why nothing did
    QString warning;        // with kUnmounted: why the drive was not powered off (or ejected)
    QStringList unmounted;  // mount points of the drive taken off, in order
    QStringList left;       // mount points of the drive still there when it stopped
    QString drive;          // the drive's object path, once known

    // The card can be pulled.
    bool Unmounted() const { return status == kPoweredOff || status == kUnmounted; }
};

// Runs one eject without blocking the thread it lives on; Finished comes
// from the event loop, also for a failure found at once. Start once per object.
class CardEjector : public QObject {
    Q_OBJECT
public:
    explicit CardEjector(QObject* parent = nullptr);
    ~CardEjector() override;
    void Start(const EjectRequest& request);

signals:
    void Finished(const EjectOutcome& outcome);

private:
    void ReadObjects();
    void OnObjects(QDBusPendingCallWatcher* call);
    bool FindCard(const UdisksObjects& objects);
    void UnmountWhatIsLeft(const UdisksObjects& objects);
    void UnmountNext();
    void OnUnmounted(QDBusPendingCallWatcher* call);
    void PowerOff();
    void OnPoweredOff(QDBusPendingCallWatcher* call);
    void Call(const QString& path, const QString& interface, const QString& method,
              void (CardEjector::*then)(QDBusPendingCallWatcher*));
    void Stop(EjectOutcome::Status status, const QString& message);
    void Finish(EjectOutcome::Status status, const QString& message);

    EjectRequest request_;
    EjectOutcome outcome_;
    QString card_block_;            // the card's file-system object
    QStringList mounted_at_start_;  // every mount point of the drive, the card's first
    QStringList pending_;           // file-system objects still to unmount in this round
    QStringList pending_mounts_;    // a mount point of each, parallel
    int rounds_ = 0;                // unmount rounds so far
    bool eject_after_ = false;      // the drive can be powered off or ejected
    bool power_off_ = false;        // PowerOff when true, else Eject
    QString power_refused_;         // why PowerOff/Eject said the drive is in use
    bool stopping_ = false;         // a failure waits for the read-back that names what is left
    EjectOutcome::Status stop_status_ = EjectOutcome::kFailed;
    QString stop_message_;
    bool started_ = false;
};

// Blocks until done, running a local event loop; for the command line.
EjectOutcome EjectCard(const EjectRequest& request);

struct UdisksAvailability {
    bool available = false;
    QString reason;  // why not, for a disabled action's tooltip
};

// Whether UDisks2 is on the system bus or can be started there.
UdisksAvailability CheckUdisksAvailable();

}  // namespace quillmar
