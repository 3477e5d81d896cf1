// The rules for a new profile's name: storable as a section header, and not in use in any letter case.
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

NewProfileNameCheck CheckNewProfileName(const ProfileStore& store, const QString& name, QString* reason) {
    *reason = UnstorableProfileNameReason(name);
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
    return exists.value ? NewProfileNameCheck::kInUse : NewProfileNameCheck::kAccepted;
}

}  // namespace quillmar
