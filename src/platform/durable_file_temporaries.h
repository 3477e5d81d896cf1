#pragma once
// The temporaries the durable writer puts beside a file, and the removal of
// those a killed writer or a pulled card left behind.

#include <QByteArray>
#include <QByteArrayView>

#include <ctime>

namespace quillmar {

// "." + name + ".tmp" + 1 to 7 characters of [0-9a-z], from `random`.
QByteArray DurableTemporaryName(QByteArrayView fileName, quint32 random);

// True exactly for names DurableTemporaryName gives for `fileName`.
bool IsDurableTemporaryName(QByteArrayView entry, QByteArrayView fileName);

// Removes, in the folder open as `dirFd`, our temporaries for `fileName`
// that are regular files last changed before `olderThan`. A younger one may
// belong to a writer still at work. Best effort: a failure leaves the entry.
void RemoveStaleDurableTemporaries(int dirFd, QByteArrayView fileName, std::time_t olderThan);

}  // namespace quillmar
