// Prints where the main window's controls lie, for the end-to-end test
// that drives the real program with the mouse from outside.
//
//   quillmar-window-layout [--card DIR ...] [--config PATH]
//
// Builds the same window the program builds, with the same options, on the
// same display (so the same fonts and metrics), without mapping it, and
// prints one line per control:
//
//   <scope> <id> <x> <y> <width> <height> <click-x> <click-y>
//
// in pixels relative to the window's client area. Scopes: "window" (the
// window itself), "main" (controls of the window), "tab" (id = tab index),
// "mode", "video", "photo", "system", "image" (controls of the pages),
// "card" (id = row of the card list showing a --card folder), and, when
// the window scrolls, "scroll 0 <max x> <max y>". The click point is
// where a user clicks: the indicator of a radio or check box, the
// middle of anything else.

#include "cards/card_list.h"
#include "platform/qt_text_bridge.h"
#include "ui/app_options_qt.h"
#include "ui/dialog/native_dialog_qt.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>

#include <cstdio>

using namespace quillmar;

namespace {

void Print(const char* scope, int id, const QRect& rect, const QPoint& click) {
    std::printf("%s %d %d %d %d %d %d %d\n", scope, id, rect.x(), rect.y(), rect.width(), rect.height(), click.x(),
                click.y());
}

void PrintControls(const char* scope, const CDialog& dialog, const QWidget& window) {
    for (const ControlTemplate& c : dialog.Template().controls) {
        QWidget* control = dialog.GetDlgItem(c.id);
        if (!control) continue;
        const QPoint origin = control->mapTo(&window, QPoint(0, 0));
        // A user clicks a radio or check box on its indicator, at the left.
        const bool box = qobject_cast<QRadioButton*>(control) || qobject_cast<QCheckBox*>(control);
        Print(scope, c.id, QRect(origin, control->size()),
              origin + (box ? QPoint(6, control->height() / 2) : control->rect().center()));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const AppOptions options = ParseAppOptions(QApplication::arguments());

    CQuillmarVS2010Dlg window(options);
    window.CreateTopLevel();
    QWidget& shown = *window.Window();
    // Laid out as when shown, but never mapped: no second window appears.
    shown.setAttribute(Qt::WA_DontShowOnScreen);
    shown.show();
    QApplication::processEvents();

    Print("window", 0, shown.rect(), shown.rect().center());
    // A window too big for the screen scrolls: how far each way it can.
    if (const QScrollArea* area = NativeDialog::Of(window)->ScrollArea())
        std::printf("scroll 0 %d %d 0 0 0 0\n", area->horizontalScrollBar()->maximum(),
                    area->verticalScrollBar()->maximum());
    PrintControls("main", window, shown);

    const auto* tabs = shown.findChild<QTabBar*>();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        const QRect rect = tabs->tabRect(tab).translated(tabs->mapTo(&shown, QPoint(0, 0)));
        Print("tab", tab, rect, rect.center());
    }

    const char* pageScopes[kTabCount] = {"mode", "video", "photo", "system", "image"};
    for (int tab = 0; tab < kTabCount; ++tab) PrintControls(pageScopes[tab], window.Page(tab), shown);

    auto* cards = qobject_cast<QTableWidget*>(window.GetDlgItem(1000));
    for (int row = 0; row < cards->rowCount(); ++row) {
        const QTableWidgetItem* item = cards->item(row, 0);  // the row keeps the whole root
        if (options.card_folders.empty() || ToUtf8(item->text()) != FolderCardRoot(options.card_folders[0])) continue;
        const QRect rect = cards->visualItemRect(item).translated(cards->viewport()->mapTo(&shown, QPoint(0, 0)));
        Print("card", row, rect, rect.center());
    }
    return 0;
}
