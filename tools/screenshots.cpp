// Saves a picture of the main window on each of its five tabs, and of the
// About box and the new-profile dialog, for the README and for checking
// the layout by eye.
//
//   quillmar-screenshots OUTPUT_DIR [--card DIR ...] [--config PATH]

#include "ui/about_dlg.h"
#include "ui/app_options_qt.h"
#include "ui/main_window.h"
#include "ui/new_cfg_dlg.h"
#include "ui/resources_qt.h"

#include <QApplication>
#include <QDir>
#include <QTabBar>
#include <QThread>

#include <cstdio>

using namespace quillmar;

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

bool Save(QWidget& widget, const QString& path) {
    Settle();
    const bool ok = widget.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: quillmar-screenshots OUTPUT_DIR [--card DIR ...] [--config PATH]\n");
        return 2;
    }
    const QDir out(args.takeAt(1));
    QDir().mkpath(out.path());
    QApplication::setWindowIcon(LoadIconResource(IDR_MAINFRAME));

    CQuillmarVS2010Dlg window(ParseAppOptions(args));
    window.CreateTopLevel();
    window.ShowWindow(true);
    auto* tabs = window.Window()->findChild<QTabBar*>();
    const char* names[] = {"mode", "video", "photo", "system", "image"};
    bool ok = true;
    for (int tab = 0; tab < kTabCount; ++tab) {
        tabs->setCurrentIndex(tab);
        ok &= Save(*window.Window(), out.filePath(QStringLiteral("tab-%1-%2.png").arg(tab).arg(names[tab])));
    }

    CAboutDlg about;
    about.CreateTopLevel(&window);
    about.ShowWindow(true);
    ok &= Save(*about.Window(), out.filePath(QStringLiteral("about.png")));
    CDlgNewCFG newProfile;
    newProfile.CreateTopLevel(&window);
    newProfile.ShowWindow(true);
    ok &= Save(*newProfile.Window(), out.filePath(QStringLiteral("new-profile.png")));
    return ok ? 0 : 1;
}
