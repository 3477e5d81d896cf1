#include "platform/drive_letter_decision.h"

#include <gtest/gtest.h>

namespace quillmar {

TEST(DecideDriveLetter, OnlyARemovableDriveWithAMediumThatDoesNotHoldWindowsIsACard) {
    const auto removable = static_cast<unsigned>(DriveType::kRemovable);
    const std::pair<DriveLetterFacts, const char*> cases[] = {
        {{removable, false, true}, "card"},
        {{removable, false, false}, "no-medium"},  // an empty slot
        {{removable, true, true}, "system-disk"},  // Windows started from a USB stick
        {{3, false, true}, "fixed-disk"},
        {{3, true, true}, "fixed-disk"},
        {{4, false, true}, "network"},
        {{5, false, true}, "optical"},
        {{6, false, true}, "ram-disk"},
        {{1, false, true}, "no-root"},
        {{0, false, true}, "unknown"},
        {{7, false, true}, "unknown"},
    };
    for (const auto& [facts, code] : cases) {
        const DriveLetterVerdict verdict = DecideDriveLetter(facts);
        EXPECT_EQ(verdict.code, code) << facts.type << facts.holds_windows << facts.has_medium;
        EXPECT_EQ(verdict.card, verdict.code == "card");
        EXPECT_FALSE(verdict.reason.empty());
    }
}

}  // namespace quillmar
