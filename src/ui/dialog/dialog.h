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

// What a control reports to its dialog.
enum class Notification {
    Clicked,      // a button was clicked by the user (never by a push)
    SelChange,    // the user changed a list box's or tab control's selection
    ItemChanged,  // a list view row changed state, by the user or the program
    Redraw,       // a track bar was redrawn: shown, or its position changed
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

    void keyPressEvent(QKeyEvent* event) override;
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
    void Connect(const Control& control);
    void GroupRadios();
    void SetInitialFocus();
    void Notify(int id, Notification code);
    void FlushRedraws();
    int DefaultButtonId() const;

    const DialogTemplate& template_;
    DialogUnits units_{1, 1};
    std::vector<Control> controls_;
    std::vector<Route> routes_;
    std::vector<QMetaObject::Connection> connections_;
    std::vector<int> pendingRedraws_;
    int exchangeDepth_ = 0;
    bool redrawing_ = false;
    bool created_ = false;
    bool child_ = false;
};
