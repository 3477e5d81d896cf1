// The plain words for a failed write's errno, and the errno of a card gone before the write.
#include "ui/set_failure_message.h"

#include <cerrno>

namespace quillmar {

std::string PlainWriteFailureReason(int errorCode) {
    switch (errorCode) {
    case EROFS:
    case EACCES:
    case EPERM:
        return "The card is write-protected or read-only. "
               "Slide its lock switch to unlocked, or choose another card.";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "The card is full. Free some space on it and press \"Set\" again.";
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
    case ESTALE:
    case EIO:
        return "The card is no longer there. Insert it again and choose it in the list.";
    default:
        return {};
    }
}

int CardGoneError() { return ENODEV; }

}  // namespace quillmar
