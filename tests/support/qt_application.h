#pragma once
// One QApplication for a whole widget test program, made on first use.

#include <QApplication>

namespace quillmar::test_support {

inline QApplication& EnsureQtApplication() {
    static int argc = 1;
    static char name[] = "quillmar-test", *argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A base class that makes the application before any widget member exists.
struct QtApplicationFirst {
    QtApplicationFirst() { EnsureQtApplication(); }
};

}  // namespace quillmar::test_support
