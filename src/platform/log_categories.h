#pragma once
// Where Quillmar says why it skipped or refused something. Debug messages are
// off unless asked for, e.g. QT_LOGGING_RULES="quillmar.*=true"; warnings show.

#include <QLoggingCategory>

namespace quillmar {

Q_DECLARE_LOGGING_CATEGORY(lcDrives)   // "quillmar.drives": mounts, block devices, labels
Q_DECLARE_LOGGING_CATEGORY(lcWatcher)  // "quillmar.watcher": sources of device-change events
Q_DECLARE_LOGGING_CATEGORY(lcCards)    // "quillmar.cards": what a card row shows

}  // namespace quillmar
