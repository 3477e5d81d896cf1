// Reading the head of a small card file on POSIX, through the careful reader of regular_file_head.
#include "platform/card_file_head.h"

#include "platform/regular_file_head.h"

namespace quillmar {

std::optional<std::string> ReadCardFileHead(const std::string& folder, const std::string& name, std::size_t maxBytes) {
    const std::optional<QByteArray> bytes = ReadFileHeadInFolder(
        QString::fromStdString(folder), QString::fromStdString(name), static_cast<qsizetype>(maxBytes));
    if (!bytes) return std::nullopt;
    return bytes->toStdString();
}

}  // namespace quillmar
