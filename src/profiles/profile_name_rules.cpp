// The rules for a new profile's name: not empty, shown whole, storable as a section header, not in use in any case.
#include "profiles/profile_name_rules.h"

#include "platform/text_encoding.h"

namespace quillmar {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControlOrLineBreak(char32_t c) { return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029; }

}  // namespace

std::string UnstorableProfileNameReason(const std::string& name) {
    if (name.find_first_of("[]") != std::string::npos) return "A profile name cannot contain \"[\" or \"]\".";
    bool valid = true;
    for (size_t at = 0; at < name.size();) {
        bool one = true;
        if (IsControlOrLineBreak(NextUtf8(name, at, one)))
            return "A profile name cannot contain line breaks or other control characters.";
        valid = valid && one;
    }
    // Half of a surrogate pair (the window's edge turns one into bytes that
    // are no UTF-8) would be stored as another name than the one listed, and
    // could never be found to delete it.
    if (!valid) return "A profile name cannot contain half of a character (an unpaired surrogate).";
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back())))
        return "A profile name cannot start or end with a blank.";
    return {};
}

std::string NewProfileNameReason(const std::string& name) {
    if (name.empty()) return "A profile needs a name.";
    if (Utf16Length(name) > kShownProfileNameLength)
        return "A profile name can have at most " + std::to_string(kShownProfileNameLength) +
               " characters, so that the list shows it whole.";
    return UnstorableProfileNameReason(name);
}

NewProfileNameCheck CheckNewProfileName(const ProfileStore& store, const std::string& name, std::string* reason) {
    // A name in use is refused as such even when longer than the list shows:
    // the user typed the full name of a listed profile.
    *reason = name.empty() ? NewProfileNameReason(name) : UnstorableProfileNameReason(name);
    if (!reason->empty()) return NewProfileNameCheck::kUnstorable;
    // A listed profile counts even when its section has left the file since.
    if (store.FindProfile(name) >= 0) return NewProfileNameCheck::kInUse;
    // The file matches section names without regard to case, and a shown
    // name may have been cut to 16 characters: the section itself decides.
    const Result<bool> exists = store.SectionExists(ProfileStore::SectionForName(name));
    if (!exists) {
        *reason = exists.outcome.error;
        return NewProfileNameCheck::kUnreadable;
    }
    if (exists.value) return NewProfileNameCheck::kInUse;
    *reason = NewProfileNameReason(name);
    return reason->empty() ? NewProfileNameCheck::kAccepted : NewProfileNameCheck::kUnstorable;
}

}  // namespace quillmar
