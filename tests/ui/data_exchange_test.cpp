// The radio group walk and the other exchanges, on the real pages.

#include "page_fixture.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

namespace {

using ui_test::Click;
using ui_test::IsChecked;
using ui_test::PagesFixture;

struct GroupCase {
    int tab;  // index into PagesFixture::all()
    int firstId;
    size_t radios;
};

class RadioGroupWalk : public ::testing::TestWithParam<GroupCase> {};

// Groups end at the next group mark, skip check boxes and separators, and
// count hidden radios.
TEST_P(RadioGroupWalk, FindsTheRadiosOfItsGroup) {
    PagesFixture pages;
    const GroupCase& c = GetParam();
    EXPECT_EQ(pages.all()[c.tab]->RadioGroupFrom(c.firstId).size(), c.radios);
}

INSTANTIATE_TEST_SUITE_P(
    AllBoundGroups, RadioGroupWalk,
    ::testing::Values(GroupCase{0, 1007, 3}, GroupCase{0, 1010, 3}, GroupCase{0, 1016, 4},
                      GroupCase{1, 1012, 3}, GroupCase{1, 1015, 3}, GroupCase{1, 1018, 7},
                      GroupCase{1, 1027, 4}, GroupCase{1, 1042, 2}, GroupCase{1, 1044, 4},
                      GroupCase{1, 1103, 4}, GroupCase{2, 1042, 3}, GroupCase{2, 1047, 6},
                      GroupCase{2, 1054, 4}, GroupCase{3, 1036, 3}, GroupCase{3, 1043, 8},
                      GroupCase{3, 1052, 4}, GroupCase{3, 1090, 5}, GroupCase{4, 1042, 2},
                      GroupCase{4, 1069, 2}, GroupCase{4, 1072, 2}, GroupCase{4, 1044, 4},
                      GroupCase{4, 1076, 3}, GroupCase{4, 1096, 2}, GroupCase{4, 1100, 2}));

TEST(DataExchangeTest, PushSelectsOnlyTheRadioAtThePosition) {
    PagesFixture pages;
    pages.selection.at(keys::auto_shutdown) = 2;
    pages.system.UpdateData(false);
    EXPECT_FALSE(IsChecked(pages.system, 1044));
    EXPECT_FALSE(IsChecked(pages.system, 1065));
    EXPECT_TRUE(IsChecked(pages.system, 1066));
    EXPECT_FALSE(IsChecked(pages.system, 1067));
}

TEST(DataExchangeTest, ValueOutsideTheGroupSelectsNoneAndPullsAsMinusOne) {
    PagesFixture pages;
    pages.Show(pages.image);
    Click(pages.image, 1050);  // ISO 400 chosen by the user first
    pages.selection.at(keys::image_iso) = 6;
    pages.image.UpdateData(false);
    for (const int id : {1047, 1048, 1049, 1050, 1051, 1052}) EXPECT_FALSE(IsChecked(pages.image, id)) << id;
    pages.image.UpdateData(true);
    EXPECT_EQ(pages.selection.at(keys::image_iso), -1);
    // The group still works as a group afterwards.
    Click(pages.image, 1048);
    Click(pages.image, 1052);
    EXPECT_FALSE(IsChecked(pages.image, 1048));
    pages.image.UpdateData(true);
    EXPECT_EQ(pages.selection.at(keys::image_iso), 5);
}

TEST(DataExchangeTest, HiddenRadioCountsInItsGroup) {
    PagesFixture pages;
    pages.selection.at(keys::photo_burst) = 4;
    pages.photo.UpdateData(false);
    EXPECT_TRUE(IsChecked(pages.photo, 1093));
    for (const int id : {1090, 1091, 1089, 1092}) EXPECT_FALSE(IsChecked(pages.photo, id)) << id;
    pages.selection.at(keys::photo_burst) = 0;
    pages.photo.UpdateData(true);
    EXPECT_EQ(pages.selection.at(keys::photo_burst), 4);
}

// The OSD group runs over the "Format SD card" box; the box is neither
// counted nor touched by the group.
TEST(DataExchangeTest, CheckBoxInsideARadioRunIsSkipped) {
    PagesFixture pages;
    pages.Show(pages.system);
    pages.selection.at(keys::osd) = 1;
    pages.selection.at(keys::format) = 0;
    pages.system.UpdateData(false);
    EXPECT_TRUE(IsChecked(pages.system, 1097));
    EXPECT_FALSE(IsChecked(pages.system, 1099));

    Click(pages.system, 1099);
    Click(pages.system, 1096);
    pages.system.UpdateData(true);
    EXPECT_EQ(pages.selection.at(keys::osd), 0);
    EXPECT_EQ(pages.selection.at(keys::format), 1);
    EXPECT_TRUE(IsChecked(pages.system, 1099));
}

TEST(DataExchangeTest, RadiosAreExclusiveWithinTheirOwnGroupOnly) {
    PagesFixture pages;
    pages.Show(pages.system);
    Click(pages.system, 1065);  // auto shutdown 3 Min
    Click(pages.system, 1070);  // TV mode PAL
    Click(pages.system, 1077);  // date format, day first
    EXPECT_TRUE(IsChecked(pages.system, 1065));
    EXPECT_TRUE(IsChecked(pages.system, 1070));
    EXPECT_TRUE(IsChecked(pages.system, 1077));
    Click(pages.system, 1066);
    EXPECT_FALSE(IsChecked(pages.system, 1065));
    EXPECT_TRUE(IsChecked(pages.system, 1070));
}

TEST(DataExchangeTest, FreshPagesPullZeroEverywhere) {
    PagesFixture pages;
    for (CDialog* page : pages.all()) page->UpdateData(true);
    for (int section = 0; section < kSectionCount; ++section)
        for (int key = 0; key < KeyCount(section); ++key)
            EXPECT_EQ(pages.selection.at(section, key), 0) << KeyName(section, key).toStdString();
    EXPECT_EQ(pages.selection.clock_sync, 0);
}

TEST(DataExchangeTest, PushRunsNoClickHandler) {
    PagesFixture pages;
    pages.selection.at(keys::photo_burst) = 1;
    pages.selection.at(keys::auto_shoot) = 4;
    pages.photo.UpdateData(false);
    EXPECT_EQ(pages.selection.photo_lock_flags, 0);
    for (const int id : {1043, 1044, 1090, 1091}) EXPECT_TRUE(pages.photo.GetDlgItem(id)->isEnabled()) << id;
}

}  // namespace
