#pragma once
// Message boxes owned by a window. Every box of the program goes through
// ShowMessageBox, so tests can take the boxes over and answer them without
// a nested event loop.

#include <QString>
#include <QWidget>

#include <functional>

// Style bits: the buttons in the low bits, the icon above them.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;  // the second button is the default

// Answers besides IDOK.
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxCall {
    QWidget* owner;
    QString text;
    QString caption;
    unsigned style;
};

using MessageBoxHandler = std::function<int(const MessageBoxCall&)>;

// Shows a modal box and waits for it: with MB_YESNO returns IDYES or IDNO
// (closing the box answers No), otherwise IDOK.
int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption, unsigned style);

// Replaces how boxes are shown; an empty handler restores the real boxes.
// Returns the handler that was in place.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
