#pragma once
// The Qt side of CDialog: the QDialog a template is built into. It creates
// the controls, makes the radio runs exclusive, walks Tab and the arrow
// keys as Windows dialogs do, turns Enter, Escape and the close box into
// commands, and reports what the controls did to its CDialog. Only Qt code
// (the dialog layer, the window's Linux files, tests) includes this.

#include "ui/dialog/dialog.h"
#include "ui/dialog/dialog_units.h"

#include <QDialog>
#include <QPointer>

#include <vector>

class QRadioButton;
class QScrollArea;

class NativeDialog : public QDialog {
public:
    explicit NativeDialog(CDialog& dialog);
    ~NativeDialog() override;

    // The Qt side of a created dialog, or null.
    static NativeDialog* Of(const CDialog& dialog) { return dialog.native_.get(); }

    CDialog& Dialog() const { return dialog_; }

    // Builds the controls as a hidden page placed over the pane of `parent`'s
    // tab control `tabControlId`.
    void BuildPage(NativeDialog& parent, int tabControlId);
    // Builds the controls as a window of its own, fitted to `owner`'s screen.
    void BuildTopLevel(QWidget* owner);

    // The widget of the control with this id, or null.
    QWidget* Control(int id) const;
    const DialogUnits& Units() const { return units_; }
    // The widget the template's controls live on: this window, or for a
    // window of its own, a surface a scroll area can take over.
    QWidget* Surface() const { return surface_; }
    // The scroll area a window too big for its screen is shown in, or null.
    QScrollArea* ScrollArea() const { return scroll_; }

    // Where Tab stops: one control, or one radio group (a group is entered
    // on its checked radio). `members` are the controls the stop stands for.
    struct TabStop {
        QWidget* widget;
        std::vector<QWidget*> members;
    };
    // The stops of this dialog in template order, each shown and enabled; a
    // tab control is followed by the stops of its shown page.
    std::vector<TabStop> TabStops() const;
    // Focuses the first shown, enabled tab stop of the template.
    void SetInitialFocus();

protected:
    // Tab and Shift+Tab walk TabStops() of the window, wrapping around.
    bool focusNextPrevChild(bool next) override;
    // Arrow keys move through a radio group (see MoveInRadioGroup).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct BuiltControl {
        const ControlTemplate* tmpl;
        QWidget* widget;
    };
    // A page shown over one of this window's tab controls.
    struct HeldPage {
        int tab_control_id;
        NativeDialog* page;
    };

    void Build();
    // Shows the window whole, or inside a scroll area when its screen's
    // free area is smaller; then places it on that screen.
    void FitToScreen(QWidget* owner);
    void Connect(const BuiltControl& control);
    void GroupRadios();
    // Moves to the next (or previous) shown, enabled radio of the group in
    // template order, wrapping around, and clicks it as the user would.
    bool MoveInRadioGroup(QRadioButton* from, bool forward);
    void AppendTabStops(const BuiltControl& control, std::vector<TabStop>& stops) const;
    int DefaultButtonId() const;

    CDialog& dialog_;
    QWidget* surface_ = this;
    QScrollArea* scroll_ = nullptr;
    DialogUnits units_{1, 1};
    std::vector<BuiltControl> controls_;
    std::vector<QMetaObject::Connection> connections_;
    std::vector<HeldPage> pages_;
    QPointer<NativeDialog> holder_;  // the window a page is shown in
};
