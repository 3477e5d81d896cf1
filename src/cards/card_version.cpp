// Reading a card's version.txt, case variants included, into the version text its row shows.
#include "cards/card_version.h"

#include "platform/log_categories.h"
#include "platform/qt_text_bridge.h"
#include "platform/regular_file_in_folder.h"

#include <QStringDecoder>

namespace quillmar {

namespace {
// The text is read into a buffer of 100 zeroed bytes, so it always ends
// with a zero byte.
constexpr size_t kMaxVersionBytes = 99;
}  // namespace

QString ReadCardVersion(const QString& root) {
    const FolderFileRead read =
        ReadRegularFileInFolder(ToPath(root), "version.txt", kMaxVersionBytes, NameCase::kAnyAsciiCase);
    if (read.status != FolderFileRead::kRead) {
        qCDebug(lcCards) << "no readable version.txt directly in" << root
                         << "(absent, a link, not a regular file, or on another file system)";
        return kNoVersionText;
    }
    const QByteArray bytes = QByteArray::fromStdString(read.bytes);
    const qsizetype zero = bytes.indexOf('\0');
    // Stateless: a character cut off at byte 99 shows as U+FFFD instead of
    // waiting for bytes that never come.
    QStringDecoder decode(QStringDecoder::System, QStringDecoder::Flag::Stateless);
    return decode(zero < 0 ? bytes : bytes.left(zero));
}

}  // namespace quillmar
