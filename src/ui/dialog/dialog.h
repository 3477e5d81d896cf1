#pragma once
// CDialog: a window built from a dialog template, as the Windows dialog
// framework builds one. It creates the template's controls in template
// order, exchanges data between controls and members (UpdateData running
// DoDataExchange), routes the controls' notifications through a small
// message map, and runs either as a page inside another window or as a
// modal dialog of its own.
//
// Pages, dialogs and the main window's logic use only this header, the
// same on every system. The window itself is the system's (NativeDialog):
// dialog_qt.cpp builds it from Qt widgets, dialog_win32.cpp from a
// DLGTEMPLATEEX and the Windows common controls.

#include "ui/dialog/command_ids.h"
#include "ui/dialog/dialog_template.h"
#include "ui/dialog/native_window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDataExchange;
class NativeDialog;

// What a control reports to its dialog.
enum class Notification {
    kClicked,      // a button was clicked by the user (never by a push)
    kSelChange,    // the user changed a list box's or tab control's selection
    kItemChanged,  // a list view row changed state, by the user or the program
    kRedraw,       // a track bar was redrawn: shown, or its position changed
};

class CDialog {
public:
    explicit CDialog(const DialogTemplate& dialogTemplate);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window as a hidden page of `parent`, over the display
    // area of parent's tab control `tabControlId`, builds the controls and
    // runs OnInitDialog. Only the first call does anything.
    bool CreatePage(CDialog& parent, int tabControlId);
    // Creates the window as a dialog window of its own, owned by `owner`
    // (may be null), fitted to the screen's work area, without showing it;
    // runs OnInitDialog.
    bool CreateTopLevel(CDialog* owner = nullptr);
    // Creates the dialog if needed, shows it modally and returns the value
    // passed to EndDialog (IDCANCEL when the window was closed).
    int DoModal(CDialog* owner = nullptr);
    void EndDialog(int result);

    // false pushes every member into its control, true pulls every control
    // into its member; both run DoDataExchange.
    bool UpdateData(bool saveAndValidate = true);
    // Runs the handler of a command as if its button had been clicked.
    void OnCommand(int id);

    // Shows or hides the whole window (a page when its tab is chosen).
    void ShowWindow(bool show);
    bool IsWindowVisible() const;
    // The window, or null before it is created; the control with this id,
    // or null.
    NativeWindow Window() const;
    NativeWindow GetDlgItem(int id) const;

    // A control by id; ids without a control are ignored.
    void EnableControl(int id, bool enable);
    bool IsControlEnabled(int id) const;
    void ShowControl(int id, bool show);
    // False for a hidden control (kHidden in the template, or hidden since).
    bool IsControlShown(int id) const;
    // The window text: a static text's or an edit field's contents, a
    // button's caption. UTF-8.
    void SetControlText(int id, const std::string& text);
    std::string ControlText(int id) const;
    // Empty removes the tooltip.
    void SetControlTooltip(int id, const std::string& text);
    // The ids of the radios of the group whose first radio is `firstId`:
    // from that radio up to the next control marked as a group start,
    // other kinds skipped, hidden radios included.
    std::vector<int> RadioGroupFrom(int firstId) const;

    const DialogTemplate& Template() const { return template_; }
    bool IsChild() const { return child_; }

protected:
    virtual void DoDataExchange(CDataExchange& dx);
    // Default: push the members into the controls; true lets the framework
    // focus the first tab stop.
    virtual bool OnInitDialog();
    // Enter, or the OK button. Default: pull, then end with IDOK.
    virtual void OnOK();
    // Escape, or the Cancel button. Default: end with IDCANCEL.
    virtual void OnCancel();
    // The close box, Alt+F4 or the window menu's Close. Default: OnCancel.
    virtual void OnClose();
    // A right-click or the menu key on the window outside its controls'
    // own menus, at screen position (x, y). Default: nothing.
    virtual void OnContextMenu(int x, int y);

    // A message-map entry: `handler` runs when control `id` reports `code`.
    // Every entry for that id and code runs, in the order they were added.
    void On(int id, Notification code, std::function<void()> handler);

private:
    friend class NativeDialog;
    // The system's side reports here what a control did.
    void Notify(int id, Notification code);
    void FlushRedraws();

    struct Route {
        int id;
        Notification code;
        std::function<void()> handler;
    };

    const DialogTemplate& template_;
    std::unique_ptr<NativeDialog> native_;
    std::vector<Route> routes_;
    std::vector<int> pending_redraws_;
    int exchange_depth_ = 0;
    bool redrawing_ = false;
    bool child_ = false;
};
