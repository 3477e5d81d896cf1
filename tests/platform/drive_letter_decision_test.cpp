#include "platform/drive_letter_decision.h"

#include <gtest/gtest.h>

namespace quillmar {

namespace {

TEST(DecideDriveLetter, OnlyARemovableDriveWithAMediumThatDoesNotHoldWindowsIsACard) {
    const auto removable = static_cast<unsigned>(DriveType::kRemovable);
    const struct {
        DriveLetterFacts facts;
        const char* code;
    } cases[] = {
        {{removable, false, true}, "card"},
        {{removable, false, false}, "no-medium"},  // an empty slot of a card reader
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
    for (const auto& c : cases) {
        const DriveLetterVerdict verdict = DecideDriveLetter(c.facts);
        EXPECT_EQ(verdict.code, c.code) << c.facts.type << c.facts.holds_windows << c.facts.has_medium;
        EXPECT_EQ(verdict.card, verdict.code == "card");
        EXPECT_FALSE(verdict.reason.empty());
    }
}

}  // namespace

}  // namespace quillmar
