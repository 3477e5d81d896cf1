// One card-list row: the card's label, sizes and version, and the texts the list shows for them.
#include "cards/card_entry.h"

#include "cards/card_version.h"

namespace quillmar {

std::uint32_t MegabytesOf(std::uint64_t bytes) { return static_cast<std::uint32_t>(bytes >> 20); }

std::string CapacityText(std::uint32_t freeMb, std::uint32_t totalMb) {
    return std::to_string(freeMb) + " MB/" + std::to_string(totalMb) + " MB(" + std::to_string(freeMb >> 10) + " G/" +
           std::to_string(totalMb >> 10) + " G)";
}

CardEntry DescribeCard(DriveSource& drives, const std::string& root) {
    CardEntry entry;
    entry.root = root;
    entry.label = drives.VolumeLabel(root);
    if (const std::optional<VolumeSpace> space = drives.Space(root); space) {
        entry.free_mb = MegabytesOf(space->free_bytes);
        entry.total_mb = MegabytesOf(space->total_bytes);
    }
    entry.version_text = ReadCardVersion(root);
    return entry;
}

}  // namespace quillmar
