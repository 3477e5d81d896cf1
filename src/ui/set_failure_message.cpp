// The error-box text for a failed "Set": the cause in plain words, then the failed step.
#include "ui/set_failure_message.h"

#include "platform/path_text.h"

#include <filesystem>
#include <system_error>

namespace quillmar {

namespace {

// The folder as the system writes paths.
std::string ShownFolder(const std::string& root) {
    if (!root.empty()) return PathText(PathFromUtf8(root).make_preferred());
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return error ? std::string(".") : PathText(here);
}

// The cause in plain words; empty when the error number names none.
std::string PlainWriteFailureReason(int errorCode) {
    switch (WriteFailureCauseOf(errorCode)) {
    case WriteFailureCause::kWriteProtected:
        return "The card is write-protected or read-only. "
               "Slide its lock switch to unlocked, or choose another card.";
    case WriteFailureCause::kFull:
        return "The card is full. Free some space on it and press \"Set\" again.";
    case WriteFailureCause::kGone:
        return "The card is no longer there. Insert it again and choose it in the list.";
    case WriteFailureCause::kOther:
        break;
    }
    return {};
}

}  // namespace

std::string DescribeCameraConfFailure(const std::string& targetRoot, const WriteOutcome& outcome) {
    std::string text = "The settings could not be written to " + ShownFolder(targetRoot) + ".\n\n";
    // The card itself may be writable; only the file was marked read-only.
    const std::string plain = outcome.read_only_file ? "camera.conf on the card is read-only, so it was left as it is. "
                                                       "Make it writable, or delete it, and press \"Set\" again."
                                                     : PlainWriteFailureReason(outcome.error_code);
    text += plain.empty() ? "The system reports: " + outcome.error : plain + "\n\nDetails: " + outcome.error;
    return text;
}

}  // namespace quillmar
