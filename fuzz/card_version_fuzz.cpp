// version.txt comes from a card: whatever it holds, reading it gives at most
// the first 99 bytes up to a zero byte, decoded, never a crash.

#include "cards/card_version.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace quillmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir card;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QFile file(card.filePath(QStringLiteral("version.txt")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) return 0;
    file.close();

    const QString text = QString::fromStdString(ReadCardVersion((card.path() + QLatin1Char('/')).toStdString()));
    const QByteArray head = bytes.left(99);
    const QByteArray expected = head.left(head.indexOf('\0') < 0 ? head.size() : head.indexOf('\0'));
    if (text != QString::fromLocal8Bit(expected)) __builtin_trap();
    if (text.contains(QChar(0)) || text.size() > 99) __builtin_trap();
    return 0;
}
