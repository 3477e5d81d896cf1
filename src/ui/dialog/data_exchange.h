#pragma once
// Data exchange between a dialog's controls and its members, in the manner
// of the Windows framework: each DDX_ function either pushes the member into
// the control or pulls the control into the member. Each system implements
// them (data_exchange_qt.cpp, data_exchange_win32.cpp).

#include "ui/dialog/controls.h"

#include <string>

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate) : dialog_(dialog), save_(saveAndValidate) {}
    CDialog& Dialog() const { return dialog_; }
    // true: controls into members (pull); false: members into controls (push).
    bool SaveAndValidate() const { return save_; }

private:
    CDialog& dialog_;
    bool save_;
};

// A radio group given by its first radio: push selects the radio at position
// `value` and clears every other one (a value outside the group selects
// none); pull gives the selected position, or -1. Neither sends a click.
void DDX_Radio(CDataExchange& dx, int firstId, int& value);
// A two-state check box: 0 cleared, 1 ticked.
void DDX_Check(CDataExchange& dx, int id, int& value);
// A track bar's position.
void DDX_Slider(CDataExchange& dx, int id, int& value);
// The window text of a static text or an edit field, UTF-8.
void DDX_Text(CDataExchange& dx, int id, std::string& value);
// Attaches the handle to the control on the first exchange.
void DDX_Control(CDataExchange& dx, int id, CControlHandle& handle);
