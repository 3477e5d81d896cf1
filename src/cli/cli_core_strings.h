#pragma once
// The one place where the tool's UTF-8 std::string meets the core's QString.
// Every crossing goes through these, so once the core speaks std::string they
// become identities and the calls can be dropped mechanically.

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace quillmar {

// The core's text types, for the few variables the tool passes between core calls.
using CoreString = QString;
using CoreStringList = QStringList;

inline QString ToCore(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromCore(const QString& text) { return text.toUtf8().toStdString(); }

inline QStringList ToCore(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& t : texts) list << ToCore(t);
    return list;
}
inline std::vector<std::string> FromCore(const QStringList& texts) {
    std::vector<std::string> list;
    for (const QString& t : texts) list.push_back(FromCore(t));
    return list;
}

}  // namespace quillmar
