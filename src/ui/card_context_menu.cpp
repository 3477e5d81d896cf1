// Opening a card row's menu from the mouse or the keyboard.
#include "ui/card_context_menu.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QTableWidget>

namespace quillmar {

CardContextMenu::CardContextMenu(QTableWidget* list, Request request)
    : QMenu(list), list_(list), request_(std::move(request)) {
    load_ = addAction(QStringLiteral("&Load Settings from Card"));
    load_->setToolTip(QStringLiteral("Show the settings the card's camera.conf holds on the pages"));
    eject_ = addAction(QStringLiteral("&Eject"));
    // Menus show no tooltips unless asked; a disabled Eject says why in one.
    setToolTipsVisible(true);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
}

void CardContextMenu::Prepare(const QString& root, const QString& ejectUnavailable) {
    root_ = root;
    eject_->setEnabled(ejectUnavailable.isEmpty());
    eject_->setToolTip(ejectUnavailable.isEmpty() ? QStringLiteral("Unmount the card and power its drive off, "
                                                                   "so it can be pulled")
                                                  : ejectUnavailable);
}

bool CardContextMenu::eventFilter(QObject* watched, QEvent* event) {
    // Qt turns the menu key into a context-menu request; on X11 Shift+F10
    // is left to the program.
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    const bool shiftF10 = key && watched == list_ && key->key() == Qt::Key_F10 &&
                          (key->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
    if (event->type() != QEvent::ContextMenu && !shiftF10) return QMenu::eventFilter(watched, event);
    const auto* request = shiftF10 ? nullptr : static_cast<QContextMenuEvent*>(event);
    int row = -1;
    QPoint at;
    if (request && request->reason() == QContextMenuEvent::Mouse) {
        // The viewport reports in its own coordinates, the list in its own.
        const QPoint inViewport = watched == list_ ? list_->viewport()->mapFrom(list_, request->pos()) : request->pos();
        row = list_->rowAt(inViewport.y());
        at = request->globalPos();
    } else {
        const QList<QTableWidgetSelectionRange> ranges = list_->selectedRanges();
        row = ranges.isEmpty() ? list_->currentRow() : ranges.constFirst().topRow();
        if (row >= 0) {
            const QRect cell = list_->visualRect(list_->model()->index(row, 0));
            at = list_->viewport()->mapToGlobal(cell.bottomLeft());
        }
    }
    // Away from the rows the window's own menu opens.
    if (row < 0 || row >= list_->rowCount()) return false;
    request_(row, at);
    return true;
}

}  // namespace quillmar
