#pragma once
// A private D-Bus bus reached as the system bus, and a stand-in UDisks2
// service on it (udisks2_standin.py) that logs the calls it receives.
// Both processes are ended when their owners go, and killed by the kernel
// should the test process die first.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/prctl.h>

namespace quillmar {

namespace test_support {

inline void EndWithParent(QProcess& p) {
    p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

inline void Stop(QProcess& p) {
    if (p.state() == QProcess::NotRunning) return;
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
}

// dbus-daemon with the session configuration on a socket of its own.
class PrivateBus {
public:
    PrivateBus() {
        EndWithParent(daemon_);
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(10000))
            address_ = QString::fromUtf8(daemon_.readLine().trimmed());
    }
    ~PrivateBus() { Stop(daemon_); }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    const QString& Address() const { return address_; }  // empty when it did not start

private:
    QProcess daemon_;
    QString address_;
};

// Scenario objects for the stand-in, as its JSON describes them.
inline QJsonObject BlockObject(const QString& device, const QString& drive, const QStringList& mounts,
                               bool hintSystem = false) {
    QJsonObject ifaces{{"org.freedesktop.UDisks2.Block",
                        QJsonObject{{"Device", device}, {"Drive", drive}, {"HintSystem", hintSystem}}}};
    ifaces.insert("org.freedesktop.UDisks2.Filesystem",
                  QJsonObject{{"MountPoints", QJsonArray::fromStringList(mounts)}});
    return ifaces;
}

inline QJsonObject DriveObject(bool removable, bool canPowerOff, bool ejectable) {
    return {{"org.freedesktop.UDisks2.Drive",
             QJsonObject{{"Removable", removable}, {"CanPowerOff", canPowerOff}, {"Ejectable", ejectable}}}};
}

// One run of the stand-in service with one scenario.
class UdisksStandIn {
public:
    UdisksStandIn(const QString& busAddress, const QJsonObject& objects, const QJsonObject& errors = {},
                  const QJsonObject& vanish = {}) {
        log_ = dir_.filePath(QStringLiteral("calls.log"));
        const QString scenario = dir_.filePath(QStringLiteral("scenario.json"));
        QFile f(scenario);
        if (!f.open(QIODevice::WriteOnly) ||
            f.write(QJsonDocument(QJsonObject{{"log", log_}, {"objects", objects}, {"errors", errors}, {"vanish", vanish}}).toJson()) < 0)
            return;
        f.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), busAddress);
        service_.setProcessEnvironment(env);
        service_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        EndWithParent(service_);
        service_.start(QStringLiteral(QUILLMAR_UDISKS_STANDIN), {scenario});
        ready_ = service_.waitForStarted(5000) && service_.waitForReadyRead(20000) &&
                 service_.readLine().trimmed() == "ready";
    }
    ~UdisksStandIn() { Stop(service_); }
    UdisksStandIn(const UdisksStandIn&) = delete;
    UdisksStandIn& operator=(const UdisksStandIn&) = delete;

    bool Ready() const { return ready_; }

    // "Method path option=value ..." per call, in the order received.
    QStringList Calls() const {
        QStringList calls;
        QFile f(log_);
        if (!f.open(QIODevice::ReadOnly)) return calls;
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (line.isEmpty()) continue;
            const QJsonObject call = QJsonDocument::fromJson(line).object();
            QString text = call["method"].toString() + ' ' + call["path"].toString();
            const QJsonObject options = call["options"].toObject();
            for (auto it = options.begin(); it != options.end(); ++it)
                text += ' ' + it.key() + '=' + it.value().toVariant().toString();
            calls << text;
        }
        return calls;
    }

private:
    QTemporaryDir dir_;
    QString log_;
    QProcess service_;
    bool ready_ = false;
};

}  // namespace test_support

}  // namespace quillmar
