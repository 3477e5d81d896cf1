#pragma once
// The system's own modal box, shown when no handler answers for it.

#include "ui/dialog/message_box.h"

// With MB_YESNO returns IDYES or IDNO (closing the box answers No),
// otherwise IDOK.
int ShowSystemMessageBox(const MessageBoxCall& call);
