#pragma once
// The main window's line for short news that needs no box to dismiss
// ("camera.conf written to ..."). Each system shows it its own way
// (status_area.h with Qt, a static text on Windows).

#include <string>

namespace quillmar {

class StatusLine {
public:
    // How long news lasts. Most of it goes with a change of the card list,
    // since the card it names may have gone; news of a card taken out is
    // about exactly that and stays.
    enum class Lasting { kUntilAnyChange, kOverCardListChanges };

    virtual ~StatusLine() = default;
    // Shows `text` (UTF-8) until the next Clear.
    virtual void ShowMessage(const std::string& text, Lasting lasting = Lasting::kUntilAnyChange) = 0;
    // The line is one line: shows `text` when it fits whole, else `shorter`
    // (cut in the middle if need be); the tooltip holds `text` followed by
    // `details`.
    virtual void ShowMessage(const std::string& text, const std::string& shorter, const std::string& details) = 0;
    virtual void Clear() = 0;
    virtual std::string Message() const = 0;
    virtual Lasting HowLong() const = 0;
};

}  // namespace quillmar
