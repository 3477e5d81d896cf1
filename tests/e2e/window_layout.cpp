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
// the window scrolls, "scroll 0 <max x> <max y>". Pixels are the X
// server's (QT_SCALE_FACTOR applied). The click
// point is where a user clicks: the indicator of a radio or check box, the
// middle of anything else.

#include "cards/card_list.h"
#include "ui/app_options.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTableWidget>

#include <QScrollArea>
#include <QScrollBar>

#include <cmath>
#include <cstdio>

using namespace quillmar;

namespace {

// Device pixels per logical pixel (QT_SCALE_FACTOR): the X server and
// xdotool count device pixels.
double gScale = 1.0;

int Device(int logical) { return int(std::lround(logical * gScale)); }

void Print(const char* scope, int id, const QRect& rect, const QPoint& click) {
    std::printf("%s %d %d %d %d %d %d %d\n", scope, id, Device(rect.x()), Device(rect.y()), Device(rect.width()),
                Device(rect.height()), Device(click.x()), Device(click.y()));
}

// Where a user clicks a control, in the control's own coordinates.
QPoint ClickPoint(QWidget* control) {
    auto* button = qobject_cast<QAbstractButton*>(control);
    const bool isRadio = qobject_cast<QRadioButton*>(control) != nullptr;
    if (!button || (!isRadio && !qobject_cast<QCheckBox*>(control))) return control->rect().center();
    QStyleOptionButton option;
    option.initFrom(button);
    const auto element = isRadio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
    return control->style()->subElementRect(element, &option, control).center();
}

void PrintControls(const char* scope, const CDialog& dialog, const QWidget& window) {
    for (const ControlTemplate& c : dialog.Template().controls) {
        QWidget* control = dialog.GetDlgItem(c.id);
        if (!control) continue;
        const QPoint origin = control->mapTo(&window, QPoint(0, 0));
        Print(scope, c.id, QRect(origin, control->size()), origin + ClickPoint(control));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const AppOptions options = ParseAppOptions(QApplication::arguments());

    CQuillmarVS2010Dlg window(options);
    window.CreateTopLevel();
    // Laid out as when shown, but never mapped: no second window appears.
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QApplication::processEvents();

    gScale = window.devicePixelRatioF();
    Print("window", 0, window.rect(), window.rect().center());
    // A window too big for the screen scrolls: how far each way it can.
    if (const QScrollArea* area = window.ScrollArea()) {
        std::printf("scroll 0 %d %d 0 0 0 0\n", Device(area->horizontalScrollBar()->maximum()),
                    Device(area->verticalScrollBar()->maximum()));
    }
    PrintControls("main", window, window);

    const auto* tabs = window.findChild<QTabBar*>();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        const QRect rect = tabs->tabRect(tab).translated(tabs->mapTo(&window, QPoint(0, 0)));
        Print("tab", tab, rect, rect.center());
    }

    const char* pageScopes[kTabCount] = {"mode", "video", "photo", "system", "image"};
    for (int tab = 0; tab < kTabCount; ++tab) PrintControls(pageScopes[tab], window.Page(tab), window);

    auto* cards = qobject_cast<QTableWidget*>(window.GetDlgItem(1000));
    for (int row = 0; row < cards->rowCount(); ++row) {
        const QTableWidgetItem* item = cards->item(row, 0);
        if (!item) continue;
        for (const QString& folder : options.card_folders) {
            if (item->text() != FolderCardRoot(folder)) continue;  // the row keeps the whole root
            const QRect rect = cards->visualItemRect(item).translated(cards->viewport()->mapTo(&window, QPoint(0, 0)));
            Print("card", row, rect, rect.center());
        }
    }
    return 0;
}
