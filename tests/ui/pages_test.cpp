// What the user sees and chooses on the pages: live slider labels and the
// indexes the radios and boxes give.

#include "page_fixture.h"
#include "settings/camera_conf.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QSlider>

#include <gtest/gtest.h>

namespace {

using ui_test::Click;
using ui_test::IsChecked;
using ui_test::PagesFixture;

QString LabelText(const CDialog& page, int id) { return qobject_cast<QLabel*>(page.GetDlgItem(id))->text(); }

struct SliderCase {
    const char* name;
    int tab;  // index into PagesFixture::all()
    int sliderId;
    int labelId;
    SettingsKeyRef key;
    std::vector<const char*> labels;  // one per position, left to right
    const char* labelAtDefault;
};

void PrintTo(const SliderCase& c, std::ostream* os) { *os << c.name; }

class SliderLabels : public ::testing::TestWithParam<SliderCase> {};

// Moves the slider with the keyboard from its left end to its right end.
TEST_P(SliderLabels, EachPositionShowsItsLabel) {
    const SliderCase& c = GetParam();
    PagesFixture pages(SettingsSelection::Defaults());
    CDialog& page = *pages.all()[c.tab];
    EXPECT_EQ(LabelText(page, c.labelId), QString::fromUtf8(c.labelAtDefault)) << "before the page was shown";
    pages.Show(page);

    auto* slider = qobject_cast<QSlider*>(page.GetDlgItem(c.sliderId));
    EXPECT_EQ(slider->minimum(), 0);
    EXPECT_EQ(slider->maximum(), static_cast<int>(c.labels.size()) - 1);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Home);
    for (size_t position = 0; position < c.labels.size(); ++position) {
        if (position > 0) QTest::keyClick(slider, Qt::Key_Right);
        EXPECT_EQ(LabelText(page, c.labelId), QString::fromUtf8(c.labels[position])) << "position " << position;
        page.UpdateData(true);
        EXPECT_EQ(pages.selection.at(c.key), static_cast<int>(position));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SliderLabels,
    ::testing::Values(
        SliderCase{"volume", 1, 1079, 1084, keys::mic_vol,
                   {"Mute", "50%", "60%", "70%", "80%", "90%", "100%"}, "80%"},
        SliderCase{"ev", 2, 1058, 1059, keys::image_ev,
                   {"-2.0", "-1.7", "-1.3", "-1.0", "-0.7", "-0.3", "0", "+0.3", "+0.7", "+1.0", "+1.3", "+1.7",
                    "+2.0"},
                   "0"},
        SliderCase{"sharpness", 2, 1109, 1111, keys::image_sharpness, {"1", "2", "3", "4", "5"}, "3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PagesTest, LabelFollowsAProfilePush) {
    PagesFixture pages(SettingsSelection::Defaults());
    pages.selection.at(keys::mic_vol) = 1;
    pages.selection.at(keys::image_ev) = 12;
    pages.video.UpdateData(false);
    pages.image.UpdateData(false);
    EXPECT_EQ(LabelText(pages.video, 1084), QStringLiteral("50%"));
    EXPECT_EQ(LabelText(pages.image, 1059), QStringLiteral("+2.0"));
}

struct ChoiceCase {
    const char* name;
    int tab;
    int clickId;
    SettingsKeyRef key;
    int index;
    const char* optionText;  // nullptr where the key has no option at that index
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class RadioChoices : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(RadioChoices, ClickGivesTheIndex) {
    const ChoiceCase& c = GetParam();
    PagesFixture pages(SettingsSelection::Defaults());
    CDialog& page = *pages.all()[c.tab];
    pages.Show(page);
    Click(page, c.clickId);
    page.UpdateData(true);
    EXPECT_EQ(pages.selection.at(c.key), c.index);
    if (c.optionText) {
        EXPECT_EQ(OptionText(c.key.section, c.key.key, c.index), QString::fromUtf8(c.optionText));
    } else {
        EXPECT_GE(c.index, OptionCount(c.key.section, c.key.key));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, RadioChoices,
    ::testing::Values(ChoiceCase{"daylight", 2, 1056, keys::image_wb, 2, "incencas"},
                      ChoiceCase{"incandescent", 2, 1057, keys::image_wb, 3, nullptr},
                      ChoiceCase{"iso1600", 2, 1052, keys::image_iso, 5, "1600"},
                      ChoiceCase{"mode1_30p", 0, 1009, keys::mode_1, 2, "1920x1080p 30"},
                      ChoiceCase{"mode3_5m", 0, 1019, keys::mode_3, 3, "5M"},
                      ChoiceCase{"date_day_first", 4, 1077, keys::datefmt, 1, "mdy"},
                      ChoiceCase{"date_month_first", 4, 1078, keys::datefmt, 2, "dmy"},
                      ChoiceCase{"shutdown_10min", 4, 1067, keys::auto_shutdown, 3, "10Min"},
                      ChoiceCase{"burst_10p", 3, 1092, keys::photo_burst, 3, "10p"},
                      ChoiceCase{"timelapse_60s", 1, 1024, keys::timelapse, 6, "60s"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PagesTest, PushingMode1SelectsItsRadioAndSetWritesItsOption) {
    PagesFixture pages;
    pages.selection.at(keys::mode_1) = 1;
    pages.mode.UpdateData(false);
    EXPECT_TRUE(IsChecked(pages.mode, 1008));
    EXPECT_EQ(qobject_cast<QAbstractButton*>(pages.mode.GetDlgItem(1008))->text(), QStringLiteral("1920x1080P 60"));
    pages.mode.UpdateData(true);
    EXPECT_TRUE(BuildCameraConfText(pages.selection, 0).contains(QStringLiteral("\r\nmode_1=1920x1080p 60\r\n")));
}

TEST(PagesTest, CheckBoxesGiveZeroOrOne) {
    PagesFixture pages;
    pages.Show(pages.system);
    Click(pages.system, 1099);
    Click(pages.system, 1061);
    pages.system.UpdateData(true);
    EXPECT_EQ(pages.selection.at(keys::format), 1);
    EXPECT_EQ(pages.selection.clock_sync, 1);
    Click(pages.system, 1099);
    pages.system.UpdateData(true);
    EXPECT_EQ(pages.selection.at(keys::format), 0);
    EXPECT_EQ(OptionText(kSystemSection, keys::format.key, 0), QStringLiteral("false"));
}

}  // namespace
