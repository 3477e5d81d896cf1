#pragma once
// The menu of a card row: load the settings the card holds into the pages,
// or eject the card. It opens on a right-click on a row, or from the
// keyboard (menu key, Shift+F10) on the focused list's selected row;
// elsewhere the request goes on to the window.

#include <QMenu>

#include <functional>

class QTableWidget;

namespace quillmar {

class CardContextMenu : public QMenu {
public:
    // Called with the row and where the menu should appear; the window
    // prepares the menu and pops it up.
    using Request = std::function<void(int row, const QPoint& globalPos)>;

    CardContextMenu(QTableWidget* list, Request request);

    // Sets the card the actions are for. `eject_unavailable` says why the
    // card cannot be ejected (shown as the disabled action's tooltip);
    // empty when it can.
    void Prepare(const QString& root, const QString& ejectUnavailable);
    const QString& Root() const { return root_; }

    QAction* LoadAction() const { return load_; }
    QAction* EjectAction() const { return eject_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* list_;
    Request request_;
    QAction* load_;
    QAction* eject_;
    QString root_;
};

}  // namespace quillmar
