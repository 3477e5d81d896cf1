// Radio groups that keep, and name, a value they have no shown radio for.
#include "ui/pages/holding_page.h"

#include "platform/qt_text_bridge.h"
#include "ui/dialog/data_exchange.h"

#include <QButtonGroup>
#include <QLabel>

namespace quillmar {

void CHoldingPage::ExchangeHeldRadio(CDataExchange& dx, int firstId, int noteId, SettingsKeyRef key, int& value) {
    if (dx.SaveAndValidate()) {
        const int held = value;
        DDX_Radio(dx, firstId, value);
        // The user never clears a group: nothing checked means the value
        // pushed had no radio.
        if (value < 0) value = held;
        return;
    }
    DDX_Radio(dx, firstId, value);
    const std::vector<QRadioButton*> radios = RadioGroupFrom(firstId);
    // A radio the user picks replaces the held value: the note goes.
    if (QButtonGroup* group = radios.empty() ? nullptr : radios.front()->group(); group && !notes_.contains(noteId)) {
        notes_.insert(noteId);
        QObject::connect(group, &QButtonGroup::buttonClicked, this, [this, noteId] {
            held_values_.remove(noteId);
            GetDlgItem(noteId)->setToolTip({});
            if (auto* note = qobject_cast<QLabel*>(GetDlgItem(noteId))) note->clear();
        });
    }
    const bool known = value >= 0 && value < OptionCount(key.section, key.key);
    const bool shown = value >= 0 && value < static_cast<int>(radios.size()) && !radios[value]->isHidden();
    QString note;
    QString tip;
    held_values_.remove(noteId);
    if (known && !shown) {
        const QString option = FromUtf8(OptionText(key.section, key.key, value));
        held_values_.insert(noteId, FromUtf8(KeyName(key.section, key.key)) + u'=' + option);
        note = QStringLiteral("%1 (%2)").arg(option, held_origin_);
        tip = QStringLiteral("%1=%2 has no button here. \"Set\" writes it unchanged until you choose another.")
                  .arg(FromUtf8(KeyName(key.section, key.key)), option);
    }
    DDX_Text(dx, noteId, note);
    if (QWidget* control = GetDlgItem(noteId)) control->setToolTip(tip);
}

}  // namespace quillmar
