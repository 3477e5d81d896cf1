// The rules that make a Windows drive letter a card or not, with the reason for each.
#include "platform/drive_letter_decision.h"

namespace quillmar {

DriveLetterVerdict DecideDriveLetter(const DriveLetterFacts& facts) {
    switch (static_cast<DriveType>(facts.type)) {
    case DriveType::kRemovable:
        // A removable drive can hold Windows (a system started from a USB
        // stick); "Set" must never write there.
        if (facts.holds_windows) return {false, "system-disk", "removable, but Windows runs from it"};
        if (!facts.has_medium) return {false, "no-medium", "removable drive without a medium (an empty slot)"};
        return {true, "card", "removable drive"};
    case DriveType::kFixed:
        return {false, "fixed-disk", "fixed disk"};
    case DriveType::kRemote:
        return {false, "network", "network drive"};
    case DriveType::kCdRom:
        return {false, "optical", "optical drive"};
    case DriveType::kRamDisk:
        return {false, "ram-disk", "RAM disk"};
    case DriveType::kNoRootDir:
        return {false, "no-root", "no volume is mounted at this root"};
    case DriveType::kUnknown:
        break;
    }
    return {false, "unknown", "the drive type cannot be determined"};
}

std::string DriveTypeName(unsigned type) {
    switch (static_cast<DriveType>(type)) {
    case DriveType::kRemovable:
        return "removable";
    case DriveType::kFixed:
        return "fixed";
    case DriveType::kRemote:
        return "network";
    case DriveType::kCdRom:
        return "optical";
    case DriveType::kRamDisk:
        return "ram-disk";
    case DriveType::kNoRootDir:
        return "no-root";
    case DriveType::kUnknown:
        break;
    }
    return "unknown";
}

}  // namespace quillmar
