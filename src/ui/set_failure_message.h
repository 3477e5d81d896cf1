#pragma once
// The words the error box uses when camera.conf could not be written.

#include "platform/durable_file.h"

#include <string>

namespace quillmar {

// Says in plain words what went wrong (write-protected, full, gone, or the
// system's reason), then the details of the failed step. UTF-8; an empty
// root is the working folder.
std::string DescribeCameraConfFailure(const std::string& targetRoot, const WriteOutcome& outcome);

}  // namespace quillmar
