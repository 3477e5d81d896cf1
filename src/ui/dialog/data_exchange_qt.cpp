// The DDX_ functions on Qt: moving values between a dialog's widgets and its members.
#include "ui/dialog/data_exchange.h"

#include "platform/qt_text_bridge.h"
#include "ui/dialog/dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
    std::vector<QRadioButton*> radios;
    for (const int id : dx.Dialog().RadioGroupFrom(firstId))
        if (auto* radio = qobject_cast<QRadioButton*>(dx.Dialog().GetDlgItem(id))) radios.push_back(radio);
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
