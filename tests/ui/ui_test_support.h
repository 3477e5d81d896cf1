#pragma once
// Helpers for the window tests: clicking controls by id, taking over
// message boxes, and running a test in a folder of its own.

#include "support/qt_application.h"
#include "ui/dialog/dialog.h"
#include "ui/dialog/message_box.h"

#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace ui_test {

// Clicks a button on its indicator, as a user does.
inline void Click(QWidget* widget) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    Q_ASSERT(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline void Click(const CDialog& dialog, int id) { Click(dialog.GetDlgItem(id)); }

inline bool IsChecked(const CDialog& dialog, int id) {
    return qobject_cast<QAbstractButton*>(dialog.GetDlgItem(id))->isChecked();
}

// Records every message box instead of showing it.
class MessageBoxRecorder {
public:
    MessageBoxRecorder() {
        previous_ = SetMessageBoxHandler([this](const MessageBoxCall& call) {
            calls.push_back(call);
            return IDOK;
        });
    }
    ~MessageBoxRecorder() { SetMessageBoxHandler(previous_); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<MessageBoxCall> calls;

private:
    MessageBoxHandler previous_;
};

// Makes a fresh empty folder the working directory for the test's life.
class ScopedWorkDir {
public:
    ScopedWorkDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~ScopedWorkDir() { QDir::setCurrent(previous_); }
    ScopedWorkDir(const ScopedWorkDir&) = delete;
    ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace ui_test
