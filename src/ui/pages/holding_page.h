#pragma once
// A settings page with radio groups whose key has options the group shows
// no radio for: ISO 3200, auto-shutdown 30 and 60 minutes, the hidden
// "20 P" burst. Such a value comes only from a card or a profile. The page
// keeps it exactly as it came until the user picks a radio of that group,
// and a note beside the group names it, so "Set" never writes something
// other than what the user sees.

#include "settings/settings_selection.h"
#include "ui/dialog/dialog.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillmar {

class CHoldingPage : public CDialog {
public:
    using CDialog::CDialog;

    // Where the next pushed values come from, shown after a held value:
    // "from card" or "from profile".
    void SetHeldOrigin(const std::string& words) { held_origin_ = words; }
    // The values the page held at its last push, as "image_iso=3200".
    std::vector<std::string> HeldValues() const;

protected:
    // DDX_Radio for the group from `firstId`, except that a pull with no
    // radio checked keeps `value`, and a push shows in the text `noteId`
    // a value no shown radio stands for ("3200 (from card)").
    void ExchangeHeldRadio(CDataExchange& dx, int firstId, int noteId, SettingsKeyRef key, int& value);

private:
    // A radio the user picks replaces the held value: the note goes.
    void ClearNote(int noteId);

    std::string held_origin_ = "from profile";
    std::map<int, std::string> held_values_;  // by the note's id
    std::set<int> notes_;                     // notes whose group clears them when clicked
};

}  // namespace quillmar
