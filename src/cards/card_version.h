#pragma once
// The version text a card carries in version.txt in its root folder.

#include <string>

namespace quillmar {

// Shown when a card has no readable version.txt (spelling as the camera
// tools have always shown it).
inline const std::string kNoVersionText = "No infomation";

// At most the first 99 bytes of root + "version.txt" (on POSIX also of a case
// variant such as "VERSION.TXT" when that name is absent), cut at the first
// zero byte, decoded from the system's 8-bit encoding into UTF-8 (bytes that
// do not decode become U+FFFD), nothing trimmed. kNoVersionText when the file
// is absent, is a link, is not a regular file (directory, FIFO, device), lies
// on another volume than the card's root, or cannot be read: a card must not
// show the computer's own files.
std::string ReadCardVersion(const std::string& root);

}  // namespace quillmar
