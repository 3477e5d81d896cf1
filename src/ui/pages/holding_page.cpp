// Radio groups that keep, and name, a value they have no shown radio for.
#include "ui/pages/holding_page.h"

#include "ui/dialog/data_exchange.h"

namespace quillmar {

std::vector<std::string> CHoldingPage::HeldValues() const {
    std::vector<std::string> values;
    for (const auto& [note, value] : held_values_) values.push_back(value);
    return values;
}

void CHoldingPage::ClearNote(int noteId) {
    held_values_.erase(noteId);
    SetControlTooltip(noteId, {});
    SetControlText(noteId, {});
}

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
    const std::vector<int> radios = RadioGroupFrom(firstId);
    if (notes_.insert(noteId).second)
        for (const int radio : radios) On(radio, Notification::kClicked, [this, noteId] { ClearNote(noteId); });
    const bool known = value >= 0 && value < OptionCount(key.section, key.key);
    const bool shown = value >= 0 && value < static_cast<int>(radios.size()) && IsControlShown(radios[size_t(value)]);
    std::string note;
    std::string tip;
    held_values_.erase(noteId);
    if (known && !shown) {
        const std::string option = OptionText(key.section, key.key, value);
        const std::string name = KeyName(key.section, key.key);
        held_values_[noteId] = name + '=' + option;
        note = option + " (" + held_origin_ + ')';
        tip = name + '=' + option + " has no button here. \"Set\" writes it unchanged until you choose another.";
    }
    DDX_Text(dx, noteId, note);
    SetControlTooltip(noteId, tip);
}

}  // namespace quillmar
