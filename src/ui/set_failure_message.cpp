// The error-box text for a failed "Set": the cause in plain words, then the failed step.
#include "ui/set_failure_message.h"

#include "platform/qt_text_bridge.h"

#include <QDir>

#include <cerrno>

namespace quillmar {

namespace {

QString PlainReason(int error) {
    switch (error) {
    case EROFS:
    case EACCES:
    case EPERM:
        return QStringLiteral(
            "The card is write-protected or read-only. "
            "Slide its lock switch to unlocked, or choose another card.");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("The card is full. Free some space on it and press \"Set\" again.");
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
    case ESTALE:
    case EIO:
        return QStringLiteral("The card is no longer there. Insert it again and choose it in the list.");
    default:
        return {};
    }
}

}  // namespace

QString DescribeCameraConfFailure(const QString& targetRoot, const WriteOutcome& outcome) {
    const QString where = targetRoot.isEmpty() ? QDir::currentPath() : QDir::toNativeSeparators(targetRoot);
    QString text = QStringLiteral("The settings could not be written to %1.\n\n").arg(where);
    // The card itself may be writable; only the file was marked read-only.
    const QString plain = outcome.read_only_file ? QStringLiteral(
                                                       "camera.conf on the card is read-only, so it was left as it is. "
                                                       "Make it writable, or delete it, and press \"Set\" again.")
                                                 : PlainReason(outcome.error_code);
    text += plain.isEmpty() ? QStringLiteral("The system reports: %1").arg(FromUtf8(outcome.error))
                            : plain + QStringLiteral("\n\nDetails: %1").arg(FromUtf8(outcome.error));
    return text;
}

}  // namespace quillmar
