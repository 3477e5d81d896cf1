#pragma once
// Which typed names may become a new profile. A name is refused when it is
// empty or longer than the profile list shows, when the file cannot hold it
// as a section header, or when its section would be one that already
// exists: a new profile must never overwrite another one.

#include "profiles/profile_store.h"

#include <string>

namespace quillmar {

enum class NewProfileNameCheck {
    kAccepted,
    kInUse,       // a listed name or section, or a section of the file, in any letter case
    kUnstorable,  // empty, too long, brackets, control characters, invalid UTF-8 (an unpaired surrogate), blanks at
                  // either end
    kUnreadable,  // the file could not be read to check
};

// Why `name` (UTF-8) cannot stand in a section header; empty when it can. The empty
// name can: it gives the section "profile-".
std::string UnstorableProfileNameReason(const std::string& name);
// Why `name` cannot be given to a new profile: empty, longer than
// kShownProfileNameLength UTF-16 units (so every profile created is listed whole), or
// unstorable; empty when it can. A longer name already in the file stays
// usable: it is shown cut.
std::string NewProfileNameReason(const std::string& name);

// Checks a name typed for a new profile against the store's lists and file.
// `reason` receives the explanation for kUnstorable and kUnreadable.
NewProfileNameCheck CheckNewProfileName(const ProfileStore& store, const std::string& name, std::string* reason);

}  // namespace quillmar
