// quillmar: the settings window.

#include "ui/app_options_qt.h"
#include "ui/first_paint_report.h"
#include "ui/main_window.h"
#include "ui/resources_qt.h"

#include <QApplication>

using namespace quillmar;

int main(int argc, char* argv[]) {
    QApplication::setApplicationName(QStringLiteral("quillmar"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMAR_VERSION));
    if (AsksOnlyForInformation(argc, argv)) {
        // No display needed to print the help or the version.
        QCoreApplication core(argc, argv);
        ParseAppOptions(QCoreApplication::arguments());
        return 0;
    }

    QApplication app(argc, argv);
    // Qt's own options (-platform, -style, ...) are gone from arguments().
    const AppOptions options = ParseAppOptions(QApplication::arguments());
    QApplication::setDesktopFileName(QStringLiteral("org.quillmar.Quillmar"));
    QApplication::setWindowIcon(LoadIconResource(IDR_MAINFRAME));

    // The window's end is the program's end; nothing is saved on the way out.
    CQuillmarVS2010Dlg window(options);
    window.CreateTopLevel();
    ReportFirstPaintIfAsked(window.Window());
    window.DoModal();
    return 0;
}
