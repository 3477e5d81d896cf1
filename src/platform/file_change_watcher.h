#pragma once
// Tells when another program has changed a file. The file and its folder are
// both watched: an atomic replacement swaps the file's inode, which ends a
// watch on the file itself, and a file created later shows only in the
// folder. Bursts of events (a temporary created, written, renamed) are
// folded into one call, made only when the file's identity, size or time
// differ from the last call, so one save gives one call.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>

namespace quillmar {

class FileChangeWatcher : public QObject {
public:
    // `onChange` runs on this object's thread after the file changed.
    FileChangeWatcher(const QString& path, std::function<void()> onChange, QObject* parent = nullptr);

private:
    void Rewatch();
    void Settle();
    QByteArray Signature() const;

    QString path_;
    std::function<void()> on_change_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QByteArray seen_;
};

}  // namespace quillmar
