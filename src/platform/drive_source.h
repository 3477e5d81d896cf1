#pragma once
// Where the card list learns about drives: the removable drives with their
// label and space. One side per operating system answers for the machine;
// tests answer from tables.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillmar {

struct VolumeSpace {
    std::uint64_t total_bytes = 0;
    std::uint64_t free_bytes = 0;  // all free space, also what only an administrator may use
};

// Text is UTF-8 throughout.
class DriveSource {
public:
    virtual ~DriveSource() = default;
    // Roots of the removable drives in their stable order, each ending in the
    // path separator: "/media/me/CARD/" on Linux, "E:\" on Windows.
    virtual std::vector<std::string> RemovableRoots() = 0;
    // The volume label; empty when there is none or it cannot be read.
    virtual std::string VolumeLabel(const std::string& root) = 0;
    // Nothing when the space cannot be read.
    virtual std::optional<VolumeSpace> Space(const std::string& root) = 0;
};

// This machine's drives: mounted volumes on Linux, drive letters on Windows.
std::unique_ptr<DriveSource> OpenSystemDrives();

// Why one volume (Linux) or drive letter (Windows) is or is not a card.
struct DriveExplanation {
    std::string folder;  // the mount folder, or the drive's root
    std::string source;  // the device, or empty
    std::string type;    // the file system, or the drive type
    bool card = false;
    std::string code;    // a short stable word for scripts
    std::string reason;  // the same in words
};

// Every volume or drive letter of this machine, in the system's order.
std::vector<DriveExplanation> ExplainSystemDrives();

}  // namespace quillmar
