#pragma once
// Where Qt code meets the standard-C++ file side: QString <-> UTF-8
// std::string, and QString paths as std::filesystem::path.

#include "platform/path_text.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>
#include <vector>

namespace quillmar {

inline std::string ToUtf8(const QString& text) {
    if (text.isValidUtf16()) return text.toStdString();
    // Qt writes '?' for half of a surrogate pair; its three-byte form, which
    // is no UTF-8, lets the core see the damage and refuse it.
    std::string out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool pair = QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pair || !QChar::isSurrogate(c)) {
            out += text.mid(i, pair ? 2 : 1).toStdString();
            i += pair ? 1 : 0;
            continue;
        }
        out += {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
    }
    return out;
}
inline QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }
inline std::filesystem::path ToPath(const QString& path) { return PathFromUtf8(path.toStdString()); }

inline QStringList FromUtf8(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(qsizetype(texts.size()));
    for (const std::string& text : texts) list.append(FromUtf8(text));
    return list;
}

}  // namespace quillmar
