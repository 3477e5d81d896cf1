// The Photo page's burst / auto-shoot interlock: which radios each click
// disables or enables, and the lock flags it leaves.

#include "page_fixture.h"
#include "settings/camera_conf.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

namespace {

using ui_test::Click;
using ui_test::PagesFixture;

constexpr int kShootLockedIds[] = {1043, 1044, 1045, 1046, 1047, 1048};
constexpr int kBurstIds[] = {1090, 1091, 1089, 1092, 1093};

struct Step {
    int clickId;
    uint8_t flags;
    bool shootRadiosEnabled;  // 1043..1048; 1107 and 1108 are always enabled
    bool burstRadiosEnabled;  // all five, the hidden "20 P" too
};

struct Sequence {
    const char* name;
    uint8_t startFlags;
    std::vector<Step> steps;
};

void PrintTo(const Sequence& c, std::ostream* os) { *os << c.name; }

class PhotoInterlock : public ::testing::TestWithParam<Sequence> {};

TEST_P(PhotoInterlock, ClicksSetEnablesAndFlags) {
    PagesFixture pages;
    pages.selection.photo_lock_flags = GetParam().startFlags;
    pages.Show(pages.photo);
    int n = 0;
    for (const Step& step : GetParam().steps) {
        Click(pages.photo, step.clickId);
        SCOPED_TRACE(testing::Message() << "after click " << ++n << " on " << step.clickId);
        EXPECT_EQ(pages.selection.photo_lock_flags, step.flags);
        for (const int id : kShootLockedIds) EXPECT_EQ(pages.photo.GetDlgItem(id)->isEnabled(), step.shootRadiosEnabled) << id;
        for (const int id : kBurstIds) EXPECT_EQ(pages.photo.GetDlgItem(id)->isEnabled(), step.burstRadiosEnabled) << id;
        EXPECT_TRUE(pages.photo.GetDlgItem(1107)->isEnabled());
        EXPECT_TRUE(pages.photo.GetDlgItem(1108)->isEnabled());
        EXPECT_TRUE(pages.photo.GetDlgItem(1093)->isHidden());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PhotoInterlock,
    ::testing::Values(
        Sequence{"burst_on_then_off", 0, {{1091, 1, false, true}, {1090, 1, true, true}}},
        Sequence{"shoot_on_then_off", 0, {{1045, 2, true, false}, {1043, 2, true, true}}},
        Sequence{"burst_then_unhandled_two_seconds", 0, {{1091, 1, false, true}, {1108, 1, false, true}}},
        Sequence{"unhandled_one_second_alone", 0, {{1107, 0, true, true}}},
        Sequence{"shoot_off_then_burst", 0, {{1045, 2, true, false}, {1043, 2, true, true}, {1092, 1, false, true}}},
        Sequence{"burst_off_then_shoot", 0, {{1089, 1, false, true}, {1090, 1, true, true}, {1048, 2, true, false}}},
        Sequence{"upper_bits_untouched", 0xF0, {{1091, 0xF1, false, true}, {1090, 0xF1, true, true}, {1044, 0xF2, true, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PhotoInterlockTest, BurstThenTwoSecondsWritesAutoShootOff) {
    PagesFixture pages;
    pages.Show(pages.photo);
    Click(pages.photo, 1091);
    Click(pages.photo, 1108);
    pages.photo.UpdateData(true);
    const QString text = BuildCameraConfText(pages.selection, 0);
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nauto_shoot=off\r\nphoto_burst=3p\r\n")));
    EXPECT_EQ(pages.selection.at(keys::auto_shoot), 2);  // the page keeps the choice
}

TEST(PhotoInterlockTest, ProfilePushLeavesInterlockAlone) {
    PagesFixture pages;
    pages.Show(pages.photo);
    Click(pages.photo, 1091);
    pages.selection.at(keys::photo_burst) = 0;
    pages.selection.at(keys::auto_shoot) = 5;
    pages.photo.UpdateData(false);
    EXPECT_EQ(pages.selection.photo_lock_flags, 1);
    EXPECT_FALSE(pages.photo.GetDlgItem(1046)->isEnabled());
    EXPECT_TRUE(ui_test::IsChecked(pages.photo, 1046));
}

}  // namespace
