// The pages as the user meets them: the radio group walk, the live slider
// labels, the indexes the radios and boxes give. The Photo page's burst /
// auto-shoot interlock is checked against what "Set" writes, in
// window_feedback_test.cpp.

#include "ui/resource_ids.h"
#include "ui_test_support.h"

#include <QLabel>
#include <QSlider>

namespace quillmar {

namespace {

using ui_test::Click;
using ui_test::IsChecked;
using ui_test::PagesFixture;

// Groups run in template order up to the next group mark: the hidden "20 P"
// (IDC_BURST_20_P) counts, the "Format" box inside the OSD run is skipped, a value
// outside the group selects none, and a pull with none selected keeps it.
TEST(PagesTest, RadioGroupWalk) {
    PagesFixture pages;
    SettingsSelection& s = pages.selection;
    for (CDialog* page : pages.All()) page->UpdateData(true);
    EXPECT_EQ(s.index, SettingsSelection{}.index) << "fresh pages pull 0 everywhere";
    // ISO 6 is one past the six ISO radios.
    s.At(keys::kPhotoBurst) = 4, s.At(keys::kOsd) = 1, s.At(keys::kFormat) = 1, s.At(keys::kImageIso) = 6;
    const SettingsSelection pulled = s;
    for (CDialog* page : pages.All()) page->UpdateData(false);
    EXPECT_TRUE(IsChecked(pages.photo, IDC_BURST_20_P) && IsChecked(pages.system, IDC_OSD_ON) &&
                IsChecked(pages.system, IDC_FORMAT_CARD));
    for (const int id : {IDC_ISO_AUTO, IDC_ISO_100, IDC_ISO_200, IDC_ISO_400, IDC_ISO_800, IDC_ISO_1600})
        EXPECT_FALSE(IsChecked(pages.image, id)) << id;
    s = {};
    s.At(keys::kImageIso) = 6;
    for (CDialog* page : pages.All()) page->UpdateData(true);
    EXPECT_EQ(s.index, pulled.index);
    pages.Show(pages.image);  // the emptied group works as a group again
    Click(pages.image, IDC_ISO_100);
    Click(pages.image, IDC_ISO_1600);
    EXPECT_FALSE(IsChecked(pages.image, IDC_ISO_100));
    pages.Show(pages.system);  // a click in the OSD run leaves the box alone
    Click(pages.system, IDC_OSD_OFF);
    EXPECT_TRUE(IsChecked(pages.system, IDC_FORMAT_CARD));
}

// The label shows the default once the page exists, follows the keyboard
// from end to end, and follows a push.
TEST(PagesTest, EachSliderPositionShowsItsLabel) {
    // Page index into PagesFixture::all(), slider, label, key, one label per position from the left.
    const struct {
        int page, slider_id, label_id;
        SettingsKeyRef key;
        std::vector<const char*> labels;
    } cases[] = {
        {1,
         IDC_MIC_VOLUME_SLIDER,
         IDC_MIC_VOLUME_TEXT,
         keys::kMicVol,
         {"Mute", "50%", "60%", "70%", "80%", "90%", "100%"}},
        {2,
         IDC_EV_SLIDER,
         IDC_EV_TEXT,
         keys::kImageEv,
         {"-2.0", "-1.7", "-1.3", "-1.0", "-0.7", "-0.3", "0", "+0.3", "+0.7", "+1.0", "+1.3", "+1.7", "+2.0"}},
        {2, IDC_SHARPNESS_SLIDER, IDC_SHARPNESS_TEXT, keys::kImageSharpness, {"1", "2", "3", "4", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slider_id);
        PagesFixture pages(SettingsSelection::Defaults());
        CDialog& page = *pages.All()[c.page];
        const auto label = [&] { return qobject_cast<QLabel*>(page.GetDlgItem(c.label_id))->text().toStdString(); };
        EXPECT_EQ(label(), c.labels[size_t(pages.selection.At(c.key))]);
        pages.Show(page);
        auto* slider = qobject_cast<QSlider*>(page.GetDlgItem(c.slider_id));
        EXPECT_EQ(slider->maximum() - slider->minimum() + 1, int(c.labels.size()));
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Home);
        for (size_t position = 0; position < c.labels.size(); ++position) {
            if (position > 0) QTest::keyClick(slider, Qt::Key_Right);
            EXPECT_EQ(label(), c.labels[position]) << "position " << position;
            page.UpdateData(true);
            EXPECT_EQ(pages.selection.At(c.key), int(position));
        }
        pages.selection.At(c.key) = 1, page.UpdateData(false);
        EXPECT_EQ(label(), c.labels[1]);
    }
}

// Daylight gives 2 (written "incencas"), Incandescent 3 (past the options:
// written as the last one), ISO 1600 gives 5; a choice on each page besides.
TEST(PagesTest, ClickGivesTheIndex) {
    const struct {
        int page, click_id;
        SettingsKeyRef key;
        int index;
    } cases[] = {
        {2, IDC_WB_DAYLIGHT, keys::kImageWb, 2},
        {2, IDC_WB_INCANDESCENT, keys::kImageWb, 3},
        {2, IDC_ISO_1600, keys::kImageIso, 5},
        {4, IDC_DATEFMT_DD_MM_YYYY_HH_MM_SS, keys::kDatefmt, 1},
        {4, IDC_DATEFMT_MM_DD_YYYY_HH_MM_SS, keys::kDatefmt, 2},
        {4, IDC_FORMAT_CARD, keys::kFormat, 1},
        {0, IDC_MODE3_5M_2560X1920_4_3, keys::kMode3, 3},
        {1, IDC_TIMELAPSE_60_SECONDS, keys::kTimelapse, 6},
        {3, IDC_BURST_10_P, keys::kPhotoBurst, 3},
    };
    for (const auto& c : cases) {
        PagesFixture pages;
        CDialog& page = *pages.All()[c.page];
        pages.Show(page);
        Click(page, c.click_id);
        page.UpdateData(true);
        EXPECT_EQ(pages.selection.At(c.key), c.index) << c.click_id;
    }
}

}  // namespace

}  // namespace quillmar
