#pragma once
// The card list: one row per removable drive (and per folder given on the
// command line), and the choice of the card that "Set" writes to.

#include "cards/card_list_view.h"
#include "platform/drive_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillmar {

class CardList {
public:
    // `folders` become rows after the removable drives.
    CardList(CardListView& view, DriveSource& drives, std::vector<std::string> folders = {});

    // Rebuilds card_roots from the drives, then the rows.
    void RefreshCardList();
    // Rebuilds the rows from card_roots and selects row 0, which makes it the
    // target. With no rows nothing is selected and target_root stays.
    void FillCardList();
    // Refreshes on DBT_DEVICEARRIVAL and DBT_DEVICEREMOVECOMPLETE only;
    // `data` is not looked at. Always true.
    bool OnDeviceChange(std::uint32_t event, std::uintptr_t data);
    // The view reports a change of `item` (selected, focused or their
    // opposites): that row's root becomes the target. -1 is ignored.
    void OnCardItemChanged(int item);

    const std::vector<std::string>& CardRoots() const { return card_roots_; }
    // Empty until a row is first reported; never cleared afterwards.
    const std::string& TargetRoot() const { return target_root_; }

private:
    CardListView& view_;
    DriveSource& drives_;
    std::vector<std::string> folders_;
    std::vector<std::string> card_roots_;
    std::string target_root_;
};

// The root of a folder used as a card: absolute, cleaned, ending in the path
// separator.
std::string FolderCardRoot(const std::string& folder);

// The removable drives' roots followed by the folders' roots.
std::vector<std::string> ListCardRoots(DriveSource& drives, const std::vector<std::string>& folders);

}  // namespace quillmar
