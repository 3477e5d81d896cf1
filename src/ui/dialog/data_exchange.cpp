// The DDX_ functions: moving values between a dialog's controls and its members.
#include "ui/dialog/data_exchange.h"

#include "ui/dialog/dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
    const std::vector<QRadioButton*> radios = dx.Dialog().RadioGroupFrom(firstId);
    if (dx.SaveAndValidate()) {
        value = -1;
        for (size_t k = 0; k < radios.size(); ++k)
            if (radios[k]->isChecked()) value = static_cast<int>(k);
        return;
    }
    // An exclusive group refuses to clear its checked button; lift the rule
    // while the states are set so that "none selected" can be shown.
    QButtonGroup* group = radios.empty() ? nullptr : radios.front()->group();
    const bool exclusive = group && group->exclusive();
    if (group) group->setExclusive(false);
    for (size_t k = 0; k < radios.size(); ++k) radios[k]->setChecked(static_cast<int>(k) == value);
    if (group) group->setExclusive(exclusive);
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
    auto* box = qobject_cast<QCheckBox*>(dx.Dialog().GetDlgItem(id));
    if (!box) return;
    if (dx.SaveAndValidate()) {
        value = box->isChecked() ? 1 : 0;
    } else {
        box->setChecked(value == 1);
    }
}

void DDX_Slider(CDataExchange& dx, int id, int& value) {
    auto* slider = qobject_cast<QSlider*>(dx.Dialog().GetDlgItem(id));
    if (!slider) return;
    if (dx.SaveAndValidate()) {
        value = slider->value();
    } else {
        slider->setValue(value);
    }
}

void DDX_Text(CDataExchange& dx, int id, QString& value) {
    QWidget* control = dx.Dialog().GetDlgItem(id);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (dx.SaveAndValidate())
            value = label->text();
        else
            label->setText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (dx.SaveAndValidate())
            value = edit->text();
        else
            edit->setText(value);
    }
}

template <class Widget>
void DDX_Control(CDataExchange& dx, int id, CControlHandle<Widget>& handle) {
    if (!handle.IsAttached()) handle.Attach(dx.Dialog().GetDlgItem(id));
}

template void DDX_Control(CDataExchange&, int, CControlHandle<QSlider>&);
template void DDX_Control(CDataExchange&, int, CControlHandle<QLineEdit>&);
template void DDX_Control(CDataExchange&, int, CControlHandle<QListWidget>&);
template void DDX_Control(CDataExchange&, int, CControlHandle<QTableWidget>&);
template void DDX_Control(CDataExchange&, int, CControlHandle<TabControl>&);
