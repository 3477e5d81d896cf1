// The rules for a new profile's name: not empty, shown whole, storable as a section header, not in use in any case.
#include "profiles/profile_name_rules.h"

#include "platform/qt_text_bridge.h"

namespace quillmar {

namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

}  // namespace

QString UnstorableProfileNameReason(const QString& name) {
    if (name.contains(u'[') || name.contains(u']'))
        return QStringLiteral("A profile name cannot contain \"[\" or \"]\".");
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return QStringLiteral("A profile name cannot contain line breaks or other control characters.");
    }
    // Half of a surrogate pair has no UTF-8 form: the section written would
    // not be the one listed, and could never be found to delete it.
    if (!name.isValidUtf16())
        return QStringLiteral("A profile name cannot contain half of a character (an unpaired surrogate).");
    if (!name.isEmpty() && (IsBlank(name.front()) || IsBlank(name.back())))
        return QStringLiteral("A profile name cannot start or end with a blank.");
    return {};
}

QString NewProfileNameReason(const QString& name) {
    if (name.isEmpty()) return QStringLiteral("A profile needs a name.");
    if (name.size() > kShownProfileNameLength)
        return QStringLiteral("A profile name can have at most %1 characters, so that the list shows it whole.")
            .arg(kShownProfileNameLength);
    return UnstorableProfileNameReason(name);
}

NewProfileNameCheck CheckNewProfileName(const ProfileStore& store, const QString& name, QString* reason) {
    // A name in use is refused as such even when longer than the list shows:
    // the user typed the full name of a listed profile.
    *reason = name.isEmpty() ? NewProfileNameReason(name) : UnstorableProfileNameReason(name);
    if (!reason->isEmpty()) return NewProfileNameCheck::kUnstorable;
    // A listed profile counts even when its section has left the file since.
    if (store.FindProfile(name) >= 0) return NewProfileNameCheck::kInUse;
    // The file matches section names without regard to case, and a shown
    // name may have been cut to 16 characters: the section itself decides.
    const Result<bool> exists = store.SectionExists(ProfileStore::SectionForName(name));
    if (!exists) {
        *reason = FromUtf8(exists.outcome.error);
        return NewProfileNameCheck::kUnreadable;
    }
    if (exists.value) return NewProfileNameCheck::kInUse;
    *reason = NewProfileNameReason(name);
    return reason->isEmpty() ? NewProfileNameCheck::kAccepted : NewProfileNameCheck::kUnstorable;
}

}  // namespace quillmar
