#pragma once
// The card list's roots, which are UTF-8, as the QString the commands print.

#include "cards/card_list.h"
#include "platform/drive_source.h"

#include <QString>
#include <QStringList>

namespace quillmar {

inline QString FolderCardRoot(const QString& folder) {
    return QString::fromStdString(FolderCardRoot(folder.toStdString()));
}

// The removable drives' roots followed by those of `folders`.
inline QStringList ListCardRoots(DriveSource& drives, const QStringList& folders) {
    std::vector<std::string> utf8;
    for (const QString& folder : folders) utf8.push_back(folder.toStdString());
    QStringList roots;
    for (const std::string& root : ListCardRoots(drives, utf8)) roots << QString::fromStdString(root);
    return roots;
}

}  // namespace quillmar
