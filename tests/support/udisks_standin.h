#pragma once
// A private D-Bus bus reached as the system bus, and a stand-in UDisks2
// service on it (udisks2_standin.py) that logs the calls it receives.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/prctl.h>

namespace quillmar::test_support {

// Ended when its owner goes, and killed by the kernel should the test
// process die first.
struct OwnedProcess : QProcess {
    OwnedProcess() {
        setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    }
    ~OwnedProcess() override {
        terminate();
        waitForFinished(5000);
    }
};

// dbus-daemon with the session configuration on a socket of its own.
class PrivateBus : OwnedProcess {
public:
    PrivateBus() {
        start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (waitForReadyRead(10000)) address_ = QString::fromUtf8(readLine().trimmed());
    }
    const QString& Address() const { return address_; }  // empty when it did not start

private:
    QString address_;
};

// Scenario objects for the stand-in, as its JSON describes them.
inline QJsonObject BlockObject(const QString& device, const QString& drive, const QStringList& mounts,
                               bool hintSystem = false) {
    return {{"org.freedesktop.UDisks2.Block",
             QJsonObject{{"Device", device}, {"Drive", drive}, {"HintSystem", hintSystem}}},
            {"org.freedesktop.UDisks2.Filesystem", QJsonObject{{"MountPoints", QJsonArray::fromStringList(mounts)}}}};
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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), busAddress);
        service_.setProcessEnvironment(env);
        service_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QJsonObject scenario{{"objects", objects}, {"errors", errors}, {"vanish", vanish}};
        service_.start(QStringLiteral(QUILLMAR_UDISKS_STANDIN), {log_, QJsonDocument(scenario).toJson()});
        ready_ = service_.waitForReadyRead(20000) && service_.readLine().trimmed() == "ready";
    }
    bool Ready() const { return ready_; }

    // "Method path option=value ..." per call, in the order received.
    QStringList Calls() const {
        QFile f(log_);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }

private:
    QTemporaryDir dir_;
    QString log_ = dir_.filePath(QStringLiteral("calls.log"));
    OwnedProcess service_;
    bool ready_ = false;
};

}  // namespace quillmar::test_support
