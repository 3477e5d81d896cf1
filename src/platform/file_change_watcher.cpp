// Watching a file and its folder for another program's change, one call per save.
#include "platform/file_change_watcher.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace quillmar {

namespace {

// The events of one save arrive within milliseconds; waiting this long
// turns them into one refresh without a noticeable delay.
constexpr int kSettleMs = 100;

}  // namespace

FileChangeWatcher::FileChangeWatcher(const QString& path, std::function<void()> onChange, QObject* parent)
    : QObject(parent), path_(path), on_change_(std::move(onChange)) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { Settle(); });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { settle_.start(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { settle_.start(); });
    Rewatch();
    seen_ = Signature();
}

void FileChangeWatcher::Rewatch() {
    // The link itself, the file it leads to, and both folders.
    QStringList paths{path_, QFileInfo(path_).absolutePath()};
    const QString target = QFileInfo(path_).canonicalFilePath();
    if (!target.isEmpty() && target != path_) paths << target << QFileInfo(target).absolutePath();
    QStringList wanted;
    for (const QString& p : paths)
        if (QFileInfo::exists(p) && !watcher_.files().contains(p) && !watcher_.directories().contains(p)) wanted << p;
    if (!wanted.isEmpty()) watcher_.addPaths(wanted);
}

QByteArray FileChangeWatcher::Signature() const {
    struct stat st {};
    if (::stat(QFile::encodeName(path_).constData(), &st) != 0) return QByteArrayLiteral("missing");
    return QByteArray::number(qulonglong(st.st_dev)) + ':' + QByteArray::number(qulonglong(st.st_ino)) + ':' +
           QByteArray::number(qlonglong(st.st_size)) + ':' + QByteArray::number(qlonglong(st.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qlonglong(st.st_mtim.tv_nsec)) + ':' + QByteArray::number(qlonglong(st.st_ctim.tv_sec)) +
           '.' + QByteArray::number(qlonglong(st.st_ctim.tv_nsec));
}

void FileChangeWatcher::Settle() {
    Rewatch();
    const QByteArray now = Signature();
    if (now == seen_) return;
    seen_ = now;
    on_change_();
}

}  // namespace quillmar
