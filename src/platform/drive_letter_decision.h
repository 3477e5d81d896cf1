#pragma once
// Whether a Windows drive letter is offered as a card, and why. Kept apart
// from the system calls so that every case, an empty card slot included, can
// be tried on any machine.

#include <string>

namespace quillmar {

// The drive types as GetDriveTypeW numbers them.
enum class DriveType : unsigned {
    kUnknown = 0,
    kNoRootDir = 1,
    kRemovable = 2,
    kFixed = 3,
    kRemote = 4,
    kCdRom = 5,
    kRamDisk = 6,
};

struct DriveLetterFacts {
    unsigned type = 0;           // GetDriveTypeW's answer
    bool holds_windows = false;  // the Windows or system folder is on it
    bool has_medium = true;      // asked only of removable drives that do not hold Windows
};

struct DriveLetterVerdict {
    bool card = false;
    std::string code;    // "card", "fixed-disk", "no-medium", ...
    std::string reason;  // the same in words
};

// A card is a removable drive that holds a medium and not Windows.
DriveLetterVerdict DecideDriveLetter(const DriveLetterFacts& facts);

// The word for a drive type: "removable", "fixed", "network", ...
std::string DriveTypeName(unsigned type);

}  // namespace quillmar
