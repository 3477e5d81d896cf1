// The exchanges that need nothing of the system: texts through the dialog's
// own accessors, and handles attached to their controls.
#include "ui/dialog/data_exchange.h"

#include "ui/dialog/dialog.h"

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
    if (dx.SaveAndValidate())
        value = dx.Dialog().ControlText(id);
    else
        dx.Dialog().SetControlText(id, value);
}

void DDX_Control(CDataExchange& dx, int id, CControlHandle& handle) {
    if (!handle.IsAttached()) handle.Attach(dx.Dialog().GetDlgItem(id));
}
