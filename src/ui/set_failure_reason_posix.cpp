// What a failed write's errno says of the card, and the errno of a card gone before the write.
#include "ui/set_failure_message.h"

#include <cerrno>

namespace quillmar {

WriteFailureCause WriteFailureCauseOf(int errorCode) {
    switch (errorCode) {
    case EROFS:
    case EACCES:
    case EPERM:
        return WriteFailureCause::kWriteProtected;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteFailureCause::kFull;
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
    case ESTALE:
    case EIO:
        return WriteFailureCause::kGone;
    default:
        return WriteFailureCause::kOther;
    }
}

int CardGoneError() { return ENODEV; }

}  // namespace quillmar
