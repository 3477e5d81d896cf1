#pragma once
// What one row of the card list shows, and how each value is found.

#include "platform/drive_source.h"

#include <cstdint>
#include <string>

namespace quillmar {

// Text is UTF-8.
struct CardEntry {
    std::string root;  // ends with the path separator, so "camera.conf" can be appended directly
    std::string label;
    std::uint32_t free_mb = 0;   // all free bytes of the volume >> 20
    std::uint32_t total_mb = 0;  // all bytes of the volume >> 20
    std::string version_text;
};

// Whole mebibytes, truncated; the low 32 bits are kept.
std::uint32_t MegabytesOf(std::uint64_t bytes);

// "29436 MB/30436 MB(28 G/29 G)": free and total in MB, then in G (MB >> 10).
std::string CapacityText(std::uint32_t freeMb, std::uint32_t totalMb);

// Asks the drives about `root` alone. A failed query leaves its value empty
// or 0, never borrowed from another card.
CardEntry DescribeCard(DriveSource& drives, const std::string& root);

}  // namespace quillmar
