// "cards": the rows of the card list, as a table or as JSON, or with
// --explain every mounted volume and why it is or is not a row.

#include "cards/card_entry.h"
#include "cards/card_list.h"
#include "cli/cli_commands.h"
#include "cli/cli_json.h"
#include "cli/cli_options.h"
#include "cli/cli_text.h"
#include "platform/drive_source.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace quillmar {

namespace {

// One row of the card list, in the tool's text.
struct CardRow {
    std::string root;
    std::string label;
    uint64_t free_mb = 0;
    uint64_t total_mb = 0;
    std::string description;
    std::string version_text;
};

// The camera ends its version.txt with a line end, which the list does not show.
std::string WithoutLineEnds(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

CardRow RowOf(const CardEntry& c) {
    return {
        c.root, c.label, c.free_mb, c.total_mb, CapacityText(c.free_mb, c.total_mb), WithoutLineEnds(c.version_text)};
}

std::string AsJson(const std::vector<CardRow>& cards) {
    nlohmann::json rows = nlohmann::json::array();
    for (const CardRow& c : cards)
        rows.push_back({{"root", c.root},
                        {"label", c.label},
                        {"free_mb", c.free_mb},
                        {"total_mb", c.total_mb},
                        {"description", c.description},
                        {"version_text", c.version_text}});
    return JsonText(rows);
}

// A version.txt may hold line ends or other control characters; shown raw
// they would tear the table apart.
std::string Visible(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        if (c == '\\')
            shown += "\\\\";
        else if (c == '\x7f' || (c >= 0 && c < 0x20))
            shown += EscapeControls(std::string_view(&c, 1));
        else
            shown += c;
    }
    return shown;
}

size_t Width(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xc0) != 0x80; }));
}

// Columns padded to their widest cell, the last one as it is.
std::string AsTable(const std::vector<std::vector<std::string>>& rows) {
    const size_t last = rows[0].size() - 1;
    std::vector<size_t> widths(last, 0);
    for (const auto& row : rows)
        for (size_t col = 0; col < last; ++col) widths[col] = std::max(widths[col], Width(row[col]));
    std::string text;
    for (const auto& row : rows) {
        for (size_t col = 0; col < last; ++col) text += row[col] + std::string(widths[col] + 2 - Width(row[col]), ' ');
        text += row[last] + '\n';
    }
    return text;
}

std::string CardsAsTable(const std::vector<CardRow>& cards) {
    std::vector<std::vector<std::string>> rows{{"Device", "Label", "Description", "Version"}};
    for (const CardRow& c : cards)
        rows.push_back({Visible(c.root), Visible(c.label), c.description, Visible(c.version_text)});
    return AsTable(rows);
}

// The system's drives, each with its verdict, then the folders given with --card.
std::vector<DriveExplanation> Explain(const std::vector<std::string>& folders) {
    std::vector<DriveExplanation> rows = ExplainSystemDrives();
    for (const std::string& folder : folders)
        rows.push_back({FolderCardRoot(folder), {}, {}, true, "folder", "given with --card"});
    return rows;
}

std::string ExplanationAsJson(const std::vector<DriveExplanation>& rows) {
    nlohmann::json array = nlohmann::json::array();
    for (const DriveExplanation& r : rows)
        array.push_back({{"folder", r.folder},
                         {"source", r.source},
                         {"type", r.type},
                         {"card", r.card},
                         {"code", r.code},
                         {"reason", r.reason}});
    return JsonText(array);
}

std::string ExplanationAsTable(const std::vector<DriveExplanation>& rows) {
    std::vector<std::vector<std::string>> cells{{"Folder", "Source", "Type", "Card", "Reason"}};
    for (const DriveExplanation& r : rows)
        cells.push_back(
            {Visible(r.folder), Visible(r.source), Visible(r.type), r.card ? "yes" : "no", Visible(r.reason)});
    return AsTable(cells);
}

void PrintCards(const CliContext& ctx, const std::vector<std::string>& folders) {
    const std::unique_ptr<DriveSource> drives = OpenSystemDrives();
    std::vector<CardRow> cards;
    for (const std::string& root : ListCardRoots(*drives, folders)) cards.push_back(RowOf(DescribeCard(*drives, root)));
    if (ctx.options.Has(CliOption::kJson))
        ctx.Print(AsJson(cards));
    else
        ctx.Print(cards.empty() ? "No removable drives found.\n" : CardsAsTable(cards));
}

void PrintExplanation(const CliContext& ctx, const std::vector<std::string>& folders) {
    const std::vector<DriveExplanation> rows = Explain(folders);
    ctx.Print(ctx.options.Has(CliOption::kJson) ? ExplanationAsJson(rows) : ExplanationAsTable(rows));
}

}  // namespace

int RunCards(const CliContext& ctx) {
    const std::vector<std::string>& folders = ctx.options.Values(CliOption::kCard);
    for (const std::string& folder : folders) {
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error)) {
            ctx.Error("--card \"" + folder + "\" is not a folder.");
            return kExitUsage;
        }
    }
    if (ctx.options.Has(CliOption::kExplain))
        PrintExplanation(ctx, folders);
    else
        PrintCards(ctx, folders);
    if (std::fflush(ctx.out) != 0 || std::ferror(ctx.out)) {
        ctx.Error("cannot write to standard output.");
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quillmar
