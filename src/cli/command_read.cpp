// "read": the settings a card's camera.conf holds, as the camera reads them.

#include "cards/card_list.h"
#include "cli/cli_commands.h"
#include "cli/cli_json.h"
#include "cli/cli_options.h"
#include "settings/camera_conf_reader.h"

namespace quillmar {

namespace {

std::string AsJson(const std::string& root, const CameraConfContents& c) {
    nlohmann::json settings = nlohmann::json::object();
    for (const CameraConfSetting& s : c.settings)
        settings[KeyName(s.key.section, s.key.key)] = OptionText(s.key.section, s.key.key, s.index);
    nlohmann::json skipped = nlohmann::json::array();
    for (const CameraConfSkippedLine& line : c.skipped)
        skipped.push_back({{"line", line.line}, {"text", line.text}, {"reason", SkippedReasonText(line.reason)}});
    return JsonText({
        {"root", root},
        {"enable_cfg", c.enable_cfg ? nlohmann::json(*c.enable_cfg) : nlohmann::json()},
        {"settings", settings},
        {"sync_clock", c.HasClockLine()},
        {"sync_clock_time", c.HasClockLine() ? nlohmann::json(c.sync_clock) : nlohmann::json()},
        {"not_understood", skipped},
    });
}

}  // namespace

int RunRead(const CliContext& ctx) {
    const std::string& card = ctx.options.Value(CliOption::kCard);
    // An empty DIR would be taken as the working folder.
    if (card.empty()) {
        ctx.Error("read needs one --card DIR.");
        return kExitUsage;
    }
    const std::string root = FolderCardRoot(card);
    const CameraConfRead read = ReadCameraConf(root);
    if (!read.ok) {
        ctx.Error(read.error);
        return kExitFailure;
    }
    if (ctx.options.Has(CliOption::kJson)) {
        ctx.Print(AsJson(root, read.contents));
    } else {
        ctx.Print(read.contents.Text());
        if (!read.contents.skipped.empty()) {
            std::string notice = std::to_string(read.contents.skipped.size()) +
                                 " line(s) of camera.conf not understood, as the camera skips them:";
            for (const CameraConfSkippedLine& line : read.contents.skipped)
                notice += "\n  line " + std::to_string(line.line) + ": " + line.text + " (" +
                          SkippedReasonText(line.reason) + ")";
            ctx.Error(notice);
        }
    }
    if (std::fflush(ctx.out) != 0 || std::ferror(ctx.out)) {
        ctx.Error("cannot write to standard output.");
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quillmar
