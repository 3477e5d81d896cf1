#pragma once
// One QApplication for a whole widget test program, made on first use.

#include <QApplication>

namespace test_support {

inline QApplication& EnsureQtApplication() {
    static int argc = 1;
    static char name[] = "quillmar-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace test_support
