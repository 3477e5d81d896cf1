#pragma once
// CDialog: a window built from a dialog template, as the Windows dialog
// framework builds one. It creates the template's controls in template
// order, exchanges data between controls and members (UpdateData running
// DoDataExchange), routes the controls' notifications through a small
// message map, and runs either as a child page inside another window or as
// a modal dialog of its own.

#include "ui/dialog/dialog_template.h"
#include "ui/dialog/dialog_units.h"

#include <QDialog>
#include <QRadioButton>

#include <functional>
#include <vector>

class CDataExchange;
class QScrollArea;

// What a control reports to its dialog.
enum class Notification {
    kClicked,      // a button was clicked by the user (never by a push)
    kSelChange,    // the user changed a list box's or tab control's selection
    kItemChanged,  // a list view row changed state, by the user or the program
    kRedraw,       // a track bar was redrawn: shown, or its position changed
};

class CDialog : public QDialog {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate);
    ~CDialog() override;

    // Creates the window as a hidden child of `parent` (a page), builds the
    // controls and runs OnInitDialog. Only the first call does anything.
    bool Create(QWidget* parent);
    // Creates the window as a dialog window of its own, owned by `owner`
    // (may be null), without showing it; runs OnInitDialog.
    bool CreateTopLevel(QWidget* owner = nullptr);
    // Creates the dialog if needed, shows it modally and returns the value
    // passed to EndDialog (IDCANCEL when the window was closed).
    int DoModal(QWidget* owner = nullptr);
    void EndDialog(int result);

    // false pushes every member into its control, true pulls every control
    // into its member; both run DoDataExchange.
    bool UpdateData(bool saveAndValidate = true);

    // The control with this id, or nullptr.
    QWidget* GetDlgItem(int id) const;
    // The radios of the group whose first radio is `firstId`: from that radio
    // up to the next control marked as a group start, other kinds skipped,
    // hidden radios included.
    std::vector<QRadioButton*> RadioGroupFrom(int firstId) const;

    const DialogTemplate& Template() const { return template_; }
    const DialogUnits& Units() const { return units_; }
    bool IsChild() const { return child_; }

    // Runs the handler of a command as if its button had been clicked.
    void OnCommand(int id);

    // Where Tab stops: one control, or one radio group (a group is entered
    // on its checked radio). `members` are the controls the stop stands for.
    struct TabStop {
        QWidget* widget;
        std::vector<QWidget*> members;
    };
    // The stops of this dialog in template order, each shown and enabled.
    std::vector<TabStop> TabStops() const;
    // The scroll area a window too big for its screen is shown in, or null.
    QScrollArea* ScrollArea() const { return scroll_; }

protected:
    virtual void DoDataExchange(CDataExchange& dx);
    // Default: push the members into the controls; true lets the framework
    // focus the first tab stop.
    virtual bool OnInitDialog();
    // Default OK: pull, then end with IDOK.
    virtual void OnOK();
    // Default Cancel (Escape, close box): end with IDCANCEL.
    virtual void OnCancel();

    // A message-map entry: `handler` runs when control `id` reports `code`.
    void On(int id, Notification code, std::function<void()> handler);

    // Adds the stops of one template control; a window holding other
    // dialogs (the tab pages) adds theirs in that control's place.
    virtual void AppendTabStops(const ControlTemplate& control, QWidget* widget, std::vector<TabStop>& stops) const;
    // The widget the template's controls live on: the window itself, or for
    // a window, a surface that can be put into a scroll area.
    QWidget* Surface() const { return surface_; }

    // Tab and Shift+Tab walk TabStops() of the window, wrapping around.
    bool focusNextPrevChild(bool next) override;
    // Arrow keys move through a radio group (see MoveInRadioGroup).
    bool eventFilter(QObject* watched, QEvent* event) override;

    void keyPressEvent(QKeyEvent* event) override;
    // A page leaves the right-click to the window that holds it (QDialog
    // would swallow it for a "What's This?" menu it never shows).
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Control {
        const ControlTemplate* tmpl;
        QWidget* widget;
    };
    struct Route {
        int id;
        Notification code;
        std::function<void()> handler;
    };

    void Build();
    // Shows the window whole, or inside a scroll area when its screen's
    // free area is smaller; then places it on that screen.
    void FitToScreen(QWidget* owner);
    // Moves to the next (or previous) shown, enabled radio of the group in
    // template order, wrapping around, and clicks it as the user would.
    bool MoveInRadioGroup(QRadioButton* from, bool forward);
    void Connect(const Control& control);
    void GroupRadios();
    void SetInitialFocus();
    void Notify(int id, Notification code);
    void FlushRedraws();
    int DefaultButtonId() const;

    const DialogTemplate& template_;
    QWidget* surface_ = this;
    QScrollArea* scroll_ = nullptr;
    DialogUnits units_{1, 1};
    std::vector<Control> controls_;
    std::vector<Route> routes_;
    std::vector<QMetaObject::Connection> connections_;
    std::vector<int> pending_redraws_;
    int exchange_depth_ = 0;
    bool redrawing_ = false;
    bool created_ = false;
    bool child_ = false;
};
