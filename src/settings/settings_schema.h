#pragma once
// The fixed table of camera settings: five sections, their keys, and each
// key's options. A choice is always held as an option index; option texts
// only appear when a file is written or a profile is read back.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillmar {

struct SettingsOption {
    const char* text;    // the word written to camera.conf and cfg.ini
    int32_t value;       // carried for completeness; nothing reads it
    int32_t is_default;  // 1 on exactly one option of every key with options
};

struct SettingsKey {
    const char* name;
    const SettingsOption* options;  // nullptr for sync_clock
    int option_count;
};

struct SettingsSection {
    const char* name;
    const SettingsKey* keys;
    int key_count;
};

// Section numbers. Photo is 2 and image is 3; the tabs and camera.conf use
// other orders of the same five sections.
enum SettingsSectionId : int {
    kModeSection = 0,
    kVideoSection = 1,
    kPhotoSection = 2,
    kImageSection = 3,
    kSystemSection = 4,
};
inline constexpr int kSectionCount = 5;
inline constexpr int kMaxKeysPerSection = 9;

extern const std::array<SettingsSection, kSectionCount> kSettingsSchema;

// Number of keys of a section: 3, 8, 4, 5, 9.
int KeyCount(int section);
std::string KeyName(int section, int key);
// The key's number of options; 0 for sync_clock.
int OptionCount(int section, int key);
// Requires 0 <= index < OptionCount(section, key).
std::string OptionText(int section, int key, int index);
// First index below min(limit, OptionCount) whose text equals `text`
// exactly (case-sensitive, untrimmed); 0 when none does.
int FindOptionIndex(int section, int key, std::string_view text, int limit);
// Index of the first option flagged as default; 0 when none is.
int DefaultOptionIndex(int section, int key);
// Clamps an index to the key's list: below 0 gives 0, past the end the last
// option. Writers use it so that no index ever reads past a table.
int ClampOptionIndex(int section, int key, int index);
// Finds a key by name in any section; false when the schema has no such key.
bool FindKeyByName(std::string_view name, int* section, int* key);

}  // namespace quillmar
