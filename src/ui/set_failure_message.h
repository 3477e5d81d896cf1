#pragma once
// The words the error box uses when camera.conf could not be written.

#include "platform/durable_file.h"

#include <string>

namespace quillmar {

// Says in plain words what went wrong (write-protected, full, gone, or the
// system's reason), then the details of the failed step. UTF-8; an empty
// root is the working folder.
std::string DescribeCameraConfFailure(const std::string& targetRoot, const WriteOutcome& outcome);

// Per system (set_failure_reason_posix.cpp, set_failure_reason_win32.cpp),
// as each numbers its errors:
// What a failed write's error number says of the card.
enum class WriteFailureCause { kOther, kWriteProtected, kFull, kGone };
WriteFailureCause WriteFailureCauseOf(int errorCode);
// The error number of a card gone before anything was written to it.
int CardGoneError();

}  // namespace quillmar
