#pragma once
// The version text a card carries in version.txt in its root folder.

#include <QString>

// Shown when a card has no readable version.txt (spelling as the camera
// tools have always shown it).
inline const QString kNoVersionText = QStringLiteral("No infomation");

// At most the first 99 bytes of root + "version.txt", cut at the first zero
// byte, decoded from the system's 8-bit encoding (bytes that do not decode
// become U+FFFD), nothing trimmed. kNoVersionText when the file is absent,
// is not a regular file (directory, FIFO, device, or a link to one), or
// cannot be read.
QString ReadCardVersion(const QString& root);
