#pragma once
// Message boxes owned by a window. Every box of the program goes through
// ShowMessageBox, so tests can take the boxes over and answer them without
// a nested event loop. Styles and answers are the MB_ and ID codes of
// command_ids.h. Each system implements it (message_box_qt.cpp,
// message_box_win32.cpp).

#include "ui/dialog/command_ids.h"

#include <functional>
#include <string>

class CDialog;

struct MessageBoxCall {
    CDialog* owner;
    std::string text;  // UTF-8
    std::string caption;
    unsigned style;
};

using MessageBoxHandler = std::function<int(const MessageBoxCall&)>;

// Shows a modal box and waits for it: with MB_YESNO returns IDYES or IDNO
// (closing the box answers No), otherwise IDOK.
int ShowMessageBox(CDialog* owner, const std::string& text, const std::string& caption, unsigned style);

// Replaces how boxes are shown; an empty handler restores the real boxes.
// Returns the handler that was in place.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
