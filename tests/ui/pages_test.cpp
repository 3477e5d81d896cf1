// The pages as the user meets them: the radio group walk, the live slider
// labels, the indexes the radios and boxes give, and the Photo page's
// burst / auto-shoot interlock.

#include "ui_test_support.h"

#include <QLabel>
#include <QSlider>

namespace {

using ui_test::Click;
using ui_test::IsChecked;
using ui_test::PagesFixture;

// Groups run in template order up to the next group mark: the hidden "20 P"
// (1093) counts, the "Format" box inside the OSD run is skipped, a value
// outside the group selects none and a pull with none selected gives -1.
TEST(PagesTest, RadioGroupWalk) {
    PagesFixture pages;
    SettingsSelection& s = pages.selection;
    for (CDialog* page : pages.all()) page->UpdateData(true);
    EXPECT_EQ(s.index, SettingsSelection{}.index) << "fresh pages pull 0 everywhere";
    // ISO 6 is one past the six ISO radios and pulls as -1.
    s.at(keys::photo_burst) = 4, s.at(keys::osd) = 1, s.at(keys::format) = 1, s.at(keys::image_iso) = 6;
    SettingsSelection pulled = s;
    pulled.at(keys::image_iso) = -1;
    for (CDialog* page : pages.all()) page->UpdateData(false);
    EXPECT_TRUE(IsChecked(pages.photo, 1093) && IsChecked(pages.system, 1097) && IsChecked(pages.system, 1099));
    for (const int id : {1047, 1048, 1049, 1050, 1051, 1052}) EXPECT_FALSE(IsChecked(pages.image, id)) << id;
    s = {};
    for (CDialog* page : pages.all()) page->UpdateData(true);
    EXPECT_EQ(s.index, pulled.index);
    pages.Show(pages.image);  // the emptied group works as a group again
    Click(pages.image, 1048);
    Click(pages.image, 1052);
    EXPECT_FALSE(IsChecked(pages.image, 1048));
    pages.Show(pages.system);  // a click in the OSD run leaves the box alone
    Click(pages.system, 1096);
    EXPECT_TRUE(IsChecked(pages.system, 1099));
}

// The label shows the default once the page exists, follows the keyboard
// from end to end, and follows a push.
TEST(PagesTest, EachSliderPositionShowsItsLabel) {
    // Page index into PagesFixture::all(), slider, label, key, one label per position from the left.
    const struct { int page, sliderId, labelId; SettingsKeyRef key; std::vector<const char*> labels; } cases[] = {
        {1, 1079, 1084, keys::mic_vol, {"Mute", "50%", "60%", "70%", "80%", "90%", "100%"}},
        {2, 1058, 1059, keys::image_ev,
         {"-2.0", "-1.7", "-1.3", "-1.0", "-0.7", "-0.3", "0", "+0.3", "+0.7", "+1.0", "+1.3", "+1.7", "+2.0"}},
        {2, 1109, 1111, keys::image_sharpness, {"1", "2", "3", "4", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sliderId);
        PagesFixture pages(SettingsSelection::Defaults());
        CDialog& page = *pages.all()[c.page];
        const auto label = [&] { return qobject_cast<QLabel*>(page.GetDlgItem(c.labelId))->text().toStdString(); };
        EXPECT_EQ(label(), c.labels[size_t(pages.selection.at(c.key))]);
        pages.Show(page);
        auto* slider = qobject_cast<QSlider*>(page.GetDlgItem(c.sliderId));
        EXPECT_EQ(slider->maximum() - slider->minimum() + 1, int(c.labels.size()));
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Home);
        for (size_t position = 0; position < c.labels.size(); ++position) {
            if (position > 0) QTest::keyClick(slider, Qt::Key_Right);
            EXPECT_EQ(label(), c.labels[position]) << "position " << position;
            page.UpdateData(true);
            EXPECT_EQ(pages.selection.at(c.key), int(position));
        }
        pages.selection.at(c.key) = 1, page.UpdateData(false);
        EXPECT_EQ(label(), c.labels[1]);
    }
}

// Daylight gives 2 (written "incencas"), Incandescent 3 (past the options:
// written as the last one), ISO 1600 gives 5; a choice on each page besides.
TEST(PagesTest, ClickGivesTheIndex) {
    const struct { int page, clickId; SettingsKeyRef key; int index; } cases[] = {
        {2, 1056, keys::image_wb, 2}, {2, 1057, keys::image_wb, 3}, {2, 1052, keys::image_iso, 5},
        {4, 1077, keys::datefmt, 1},  {4, 1078, keys::datefmt, 2},  {4, 1099, keys::format, 1},
        {0, 1019, keys::mode_3, 3},   {1, 1024, keys::timelapse, 6}, {3, 1092, keys::photo_burst, 3},
    };
    for (const auto& c : cases) {
        PagesFixture pages;
        CDialog& page = *pages.all()[c.page];
        pages.Show(page);
        Click(page, c.clickId);
        page.UpdateData(true);
        EXPECT_EQ(pages.selection.at(c.key), c.index) << c.clickId;
    }
}

// Each click's effect on the flags and on which radios are enabled: a burst
// disables six of the eight auto-shoot radios, an interval all five burst
// radios, the hidden one included.
TEST(PagesTest, PhotoInterlock) {
    // Click, flags, auto-shoot radios 1043..1048 enabled (1107 and 1108 always are), burst radios 1089..1093 enabled.
    struct Step { int clickId; uint8_t flags; bool shootRadiosEnabled, burstRadiosEnabled; };
    const struct { uint8_t startFlags; std::vector<Step> steps; } sequences[] = {
        {0, {{1091, 1, false, true}, {1090, 1, true, true}}},
        {0, {{1045, 2, true, false}, {1043, 2, true, true}}},
        {0, {{1091, 1, false, true}, {1108, 1, false, true}}},
        {0, {{1107, 0, true, true}}},
        {0, {{1045, 2, true, false}, {1043, 2, true, true}, {1092, 1, false, true}}},
        {0, {{1089, 1, false, true}, {1090, 1, true, true}, {1048, 2, true, false}}},
        {0xF0, {{1091, 0xF1, false, true}, {1090, 0xF1, true, true}, {1044, 0xF2, true, false}}},
    };
    for (const auto& sequence : sequences) {
        PagesFixture pages;
        CDialog& photo = pages.photo;
        pages.selection.photo_lock_flags = sequence.startFlags, pages.Show(photo);
        ASSERT_TRUE(photo.GetDlgItem(1093)->isHidden());
        for (const Step& step : sequence.steps) {
            Click(photo, step.clickId);  // then the flags and enabled radios after it
            SCOPED_TRACE(testing::Message() << "sequence " << &sequence - sequences << ", click on " << step.clickId);
            EXPECT_EQ(pages.selection.photo_lock_flags, step.flags);
            for (const int id : {1043, 1044, 1045, 1046, 1047, 1048, 1107, 1108, 1089, 1090, 1091, 1092, 1093}) {
                const bool enabled = id >= 1107 || (id < 1089 ? step.shootRadiosEnabled : step.burstRadiosEnabled);
                EXPECT_EQ(photo.GetDlgItem(id)->isEnabled(), enabled) << id;
            }
        }
    }
}

}  // namespace
