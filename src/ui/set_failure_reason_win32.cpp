// What a failed write's Windows error code says of the card, and the code of a card gone before the write.
#include "ui/set_failure_message.h"

#include <windows.h>

namespace quillmar {

WriteFailureCause WriteFailureCauseOf(int errorCode) {
    switch (static_cast<DWORD>(errorCode)) {
    case ERROR_WRITE_PROTECT:
    case ERROR_ACCESS_DENIED:
        return WriteFailureCause::kWriteProtected;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return WriteFailureCause::kFull;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return WriteFailureCause::kGone;
    default:
        return WriteFailureCause::kOther;
    }
}

// What Windows answers for a reader whose card was taken out.
int CardGoneError() { return ERROR_NOT_READY; }

}  // namespace quillmar
