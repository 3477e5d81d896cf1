// Reading a card's version.txt into the version text its row shows.
#include "cards/card_version.h"

#include "platform/path_text.h"
#include "platform/regular_file_in_folder.h"
#include "platform/system_text.h"

namespace quillmar {

namespace {
// The text is read into a buffer of 100 zeroed bytes, so it always ends
// with a zero byte.
constexpr std::size_t kMaxVersionBytes = 99;
}  // namespace

std::string ReadCardVersion(const std::string& root) {
    const FolderFileRead read =
        ReadRegularFileInFolder(PathFromUtf8(root), "version.txt", kMaxVersionBytes, NameCase::kAnyAsciiCase);
    if (read.status != FolderFileRead::kRead) return kNoVersionText;
    // A character cut off at byte 99 shows as U+FFFD.
    return SystemTextToUtf8(std::string_view(read.bytes).substr(0, read.bytes.find('\0')));
}

}  // namespace quillmar
