// The card list: rows from the removable drives and the given folders, and the target "Set" writes to.
#include "cards/card_list.h"

#include "cards/card_entry.h"
#include "platform/device_events.h"

#include <filesystem>

namespace quillmar {

CardList::CardList(CardListView& view, DriveSource& drives, std::vector<std::string> folders)
    : view_(view), drives_(drives), folders_(std::move(folders)) {}

void CardList::RefreshCardList() {
    card_roots_ = ListCardRoots(drives_, folders_);
    FillCardList();
}

void CardList::FillCardList() {
    while (view_.ItemCount() > 0 && view_.DeleteItem(0)) {
    }
    if (card_roots_.empty()) return;

    // Rows go in one after another; a root the list refuses leaves no gap.
    int next = 0;
    for (const std::string& root : card_roots_) {
        const int row = view_.InsertItem(next, root);
        if (row < 0) continue;
        ++next;
        const CardEntry entry = DescribeCard(drives_, root);
        view_.SetItemText(row, 1, entry.label);
        view_.SetItemText(row, 2, CapacityText(entry.free_mb, entry.total_mb));
        view_.SetItemText(row, 3, entry.version_text);
    }
    if (view_.ItemCount() > 0) view_.SelectAndFocusItem(0);
}

bool CardList::OnDeviceChange(std::uint32_t event, std::uintptr_t /*data*/) {
    if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) RefreshCardList();
    return true;
}

void CardList::OnCardItemChanged(int item) {
    // A row that does not exist would give an empty root, and "Set" would
    // then write into the working folder.
    if (item < 0 || item >= view_.ItemCount()) return;
    target_root_ = view_.ItemText(item, 0);
}

std::string FolderCardRoot(const std::string& folder) {
    namespace fs = std::filesystem;
    // UTF-8 both ways: a plain std::string would be taken as the ANSI code
    // page on Windows.
    const fs::path given(std::u8string(folder.begin(), folder.end()));
    std::error_code error;
    fs::path path = fs::absolute(given, error);
    if (error) path = given;
    const std::u8string clean = path.lexically_normal().u8string();
    std::string root(clean.begin(), clean.end());
    const char separator = static_cast<char>(fs::path::preferred_separator);
    if (root.empty() || (root.back() != '/' && root.back() != separator)) root += separator;
    return root;
}

std::vector<std::string> ListCardRoots(DriveSource& drives, const std::vector<std::string>& folders) {
    std::vector<std::string> roots = drives.RemovableRoots();
    for (const std::string& folder : folders) roots.push_back(FolderCardRoot(folder));
    return roots;
}

}  // namespace quillmar
