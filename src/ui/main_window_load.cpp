// "Load Settings from Card" of a card row's menu: the card's camera.conf
// on the pages, and a line saying what was taken and what not.

#include "ui/main_window.h"

#include "settings/camera_conf_reader.h"
#include "ui/card_display_name.h"
#include "ui/dialog/message_box.h"
#include "ui/joined_text.h"

namespace quillmar {

namespace {

std::string Counted(size_t count, const char* one, const char* many) {
    return count == 1 ? std::string("1 ") + one : std::to_string(count) + ' ' + many;
}

// What Load took from the card, and what it could not use: one line short
// enough for the status line, with the details for its tooltip.
struct LoadedReport {
    std::string text;
    std::string shorter;
    std::string details;
};

LoadedReport DescribeLoad(const std::string& card, const CameraConfContents& contents,
                          const std::vector<std::string>& held) {
    std::string loaded = "Loaded " + Counted(contents.settings.size(), "setting", "settings") + " from " + card;
    if (contents.HasClockLine()) loaded += " and the clock line";
    std::vector<std::string> notUnderstood;
    std::vector<std::string> replaced;
    for (const CameraConfSkippedLine& line : contents.skipped)
        (line.reason == CameraConfSkippedLine::kRepeatedKey ? replaced : notUnderstood)
            .push_back(std::to_string(line.line));
    std::vector<std::string> news;
    std::vector<std::string> details;
    if (!held.empty()) {
        news.push_back(std::to_string(held.size()) + " kept without a button");
        details.push_back("Kept as loaded, named beside their groups (no button for them): " + Joined(held, ", ") +
                          ".");
    }
    if (!notUnderstood.empty()) {
        news.push_back(Counted(notUnderstood.size(), "line", "lines") + " not understood (line " +
                       Joined(notUnderstood, ", ") + ")");
        details.push_back("Not understood by the camera, so not loaded: line " + Joined(notUnderstood, ", ") + ".");
    }
    if (!replaced.empty()) {
        news.push_back(Counted(replaced.size(), "line", "lines") + " replaced by a later one");
        details.push_back("Replaced by a later line of the same key: line " + Joined(replaced, ", ") + ".");
    }
    if (news.empty()) return {loaded + "; every line understood", loaded, {}};
    return {loaded + "; " + Joined(news, "; "), loaded + "; more in the tooltip", Joined(details, "\n")};
}

}  // namespace

void CQuillmarVS2010Dlg::OnLoadSettingsFromCard(const std::string& root) {
    const CameraConfRead read = ReadCameraConf(root);
    if (!read.ok) {
        ShowMessageBox(this, "No settings were loaded from " + CardDisplayName(root) + ": " + read.error, "Quillmar",
                       MB_OK | MB_ICONERROR);
        return;
    }
    // The pages' own values first: keys the file lacks keep them.
    PullPages();
    read.contents.ApplyTo(selection_);
    SetHeldOrigin("from card");
    PushPages();
    // A value the camera knows but the pages have no button for (ISO 3200)
    // is kept as it is, and named beside its group and here.
    std::vector<std::string> held;
    for (const CHoldingPage* page : {static_cast<CHoldingPage*>(&image_page_), static_cast<CHoldingPage*>(&photo_page_),
                                     static_cast<CHoldingPage*>(&system_page_)})
        for (const std::string& value : page->HeldValues()) held.push_back(value);
    const LoadedReport report = DescribeLoad(CardDisplayName(root), read.contents, held);
    // After the push, whose changes clear the status line.
    status_->ShowMessage(report.text, report.shorter, report.details);
}

}  // namespace quillmar
