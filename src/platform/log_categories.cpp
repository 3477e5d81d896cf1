// The logging categories, each enabled from warnings up by default.

#include "platform/log_categories.h"

namespace quillmar {

Q_LOGGING_CATEGORY(lcDrives, "quillmar.drives", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWatcher, "quillmar.watcher", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCards, "quillmar.cards", QtWarningMsg)

}  // namespace quillmar
