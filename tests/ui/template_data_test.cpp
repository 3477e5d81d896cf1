#include "ui/templates/dialog_templates.h"

#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

QRect RectOf(const ControlTemplate& c) { return QRect(c.x, c.y, c.width, c.height); }

QString NameOf(const ControlTemplate& c) {
    return c.id == kNoId ? QStringLiteral("\"%1\"").arg(QString::fromUtf16(c.caption)) : QString::number(c.id);
}

TEST(TemplateDataTest, EveryControlLiesInsideItsDialog) {
    for (const DialogTemplate* t : AllDialogTemplates()) {
        const QRect dialog(0, 0, t->width, t->height);
        for (const ControlTemplate& c : t->controls)
            EXPECT_TRUE(dialog.contains(RectOf(c))) << t->id << " control " << NameOf(c).toStdString();
    }
}

TEST(TemplateDataTest, IdsAreUniqueWithinATemplate) {
    for (const DialogTemplate* t : AllDialogTemplates()) {
        std::set<int> seen;
        for (const ControlTemplate& c : t->controls) {
            if (c.id != kNoId) {
                EXPECT_TRUE(seen.insert(c.id).second) << t->id << " repeats " << c.id;
            }
        }
    }
}

// The only visible controls that overlap are those the layout itself places
// over each other: end labels reaching into a slider, and the logo reaching
// into the tab control's row of tabs.
TEST(TemplateDataTest, VisibleControlsOverlapOnlyWhereTheLayoutPlacesThem) {
    using Overlap = std::tuple<int, std::string, std::string>;
    const std::set<Overlap> expected = {
        {IDD_QUILLMAR_DIALOG, "1002", "\"145\""}, {IDD_TAB_VIDEO, "1079", "1082"},
        {IDD_TAB_IMAGE, "1058", "\"-2.0\""},      {IDD_TAB_IMAGE, "1058", "\"-\""},
        {IDD_TAB_IMAGE, "1109", "\"Soft\""},
    };
    std::set<Overlap> found;
    for (const DialogTemplate* t : AllDialogTemplates()) {
        for (size_t i = 0; i < t->controls.size(); ++i) {
            for (size_t j = i + 1; j < t->controls.size(); ++j) {
                const ControlTemplate& a = t->controls[i];
                const ControlTemplate& b = t->controls[j];
                if (a.visible() && b.visible() && RectOf(a).intersects(RectOf(b)))
                    found.insert({t->id, NameOf(a).toStdString(), NameOf(b).toStdString()});
            }
        }
    }
    EXPECT_EQ(found, expected);
}

TEST(TemplateDataTest, CaptionsKeepTheirWideAndSpecialCharacters) {
    EXPECT_EQ(QString::fromUtf16(kModePageTemplate.Find(1016)->caption),
              QStringLiteral("16M") + QChar(0xFF08) + QStringLiteral("4608x3456  4") + QChar(0xFF1A) +
                  QStringLiteral("3") + QChar(0xFF09));
    EXPECT_EQ(QString::fromUtf16(kSystemPageTemplate.Find(1043)->caption),
              QStringLiteral("Rotate 180") + QChar(0x00B0));
    EXPECT_EQ(QString::fromUtf16(kNewProfileTemplate.Find(IDOK)->caption), QString(QChar(0x786E)) + QChar(0x5B9A));
    EXPECT_EQ(QString::fromUtf16(kNewProfileTemplate.Find(IDCANCEL)->caption), QString(QChar(0x53D6)) + QChar(0x6D88));
}

TEST(TemplateDataTest, PagesHoldTheirControlCounts) {
    EXPECT_EQ(kModePageTemplate.controls.size(), 13u);
    EXPECT_EQ(kVideoPageTemplate.controls.size(), 45u);
    EXPECT_EQ(kImagePageTemplate.controls.size(), 32u);
    EXPECT_EQ(kPhotoPageTemplate.controls.size(), 27u);
    EXPECT_EQ(kSystemPageTemplate.controls.size(), 34u);
}

}  // namespace
