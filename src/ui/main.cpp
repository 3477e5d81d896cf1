// quillmar: the settings window.

#include "ui/app_options.h"
#include "ui/main_window.h"
#include "ui/resources.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmar"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMAR_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quillmar.Quillmar"));
    QApplication::setWindowIcon(LoadIconResource(IDR_MAINFRAME));

    const AppOptions options = ParseAppOptions(QApplication::arguments());
    // The window's end is the program's end; nothing is saved on the way out.
    CQuillmarVS2010Dlg window(options);
    window.DoModal();
    return 0;
}
