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

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }
inline QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }
inline std::filesystem::path ToPath(const QString& path) { return PathFromUtf8(path.toStdString()); }

inline QStringList FromUtf8(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(qsizetype(texts.size()));
    for (const std::string& text : texts) list.append(FromUtf8(text));
    return list;
}

}  // namespace quillmar
