#pragma once
// A private D-Bus bus to stand for the system bus, and a stand-in UDisks2
// service on it (udisks2_standin.py) that logs the calls it receives.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/prctl.h>

namespace quillmar::test_support {

// Started at once; ended when its owner goes, and killed by the kernel
// should the test process die first. `ready` is the first line it prints.
struct OwnedProcess : QProcess {
    OwnedProcess(const QString& program, const QStringList& args) {
        setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        setProcessChannelMode(QProcess::ForwardedErrorChannel);
        start(program, args);
        if (waitForReadyRead(20000)) ready = QString::fromUtf8(readLine().trimmed());
    }
    ~OwnedProcess() override { terminate(), waitForFinished(5000); }
    QString ready;
};

// dbus-daemon with the session configuration on a socket of its own.
struct PrivateBus {
    OwnedProcess daemon{QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"}};
    const QString& Address() const { return daemon.ready; }  // empty when it did not start
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

// One run of the stand-in service with one scenario, its log in a folder of
// its own.
class UdisksStandIn : QTemporaryDir, OwnedProcess {
public:
    UdisksStandIn(const QString& busAddress, const QJsonObject& objects, const QJsonObject& errors = {},
                  const QJsonObject& vanish = {})
        : OwnedProcess(
              QStringLiteral(QUILLMAR_UDISKS_STANDIN),
              {filePath("calls.log"), busAddress,
               QJsonDocument(QJsonObject{{"objects", objects}, {"errors", errors}, {"vanish", vanish}}).toJson()}) {}
    bool Ready() const { return ready == "ready"; }

    // "Method path option=value ..." per call, in the order received.
    QStringList Calls() const {
        QFile f(filePath("calls.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }
};

}  // namespace quillmar::test_support
