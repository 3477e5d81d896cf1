#pragma once
// Reads a small text file from a card's root with the caution that untrusted
// media needs: the file itself must be a regular file (a link is refused, not
// followed), opening never blocks or takes a terminal, and the size is capped.

#include <QByteArray>
#include <QString>

namespace quillmar {

struct SmallCardFile {
    enum Status {
        kRead,        // bytes hold the whole file
        kAbsent,      // nothing of that name
        kNotRegular,  // a link, folder, FIFO, device or socket
        kTooLarge,    // longer than the cap: nothing is returned
        kUnreadable,  // opening or reading failed; error says why
    };
    Status status = kUnreadable;
    QByteArray bytes;
    QString error;  // the system's reason for kUnreadable
};

SmallCardFile ReadSmallCardFile(const QString& path, qsizetype maxBytes);

}  // namespace quillmar
