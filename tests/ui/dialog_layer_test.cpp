// The dialog layer's data and geometry: template rects and dialog units.

#include "ui/dialog/dialog_units.h"
#include "ui/templates/dialog_templates.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace quillmar {

namespace {

QRect RectOf(const ControlTemplate& c) { return QRect(c.x, c.y, c.width, c.height); }

std::string NameOf(const ControlTemplate& c) {
    return (c.id == kNoId ? u'"' + QString::fromUtf16(c.caption) + u'"' : QString::number(c.id)).toStdString();
}

// Every control lies inside its dialog, ids are unique within a template,
// and the only visible controls that overlap are those the layout places
// over each other: end labels reaching into a slider, and the logo reaching
// into the tab control's row of tabs.
TEST(TemplateDataTest, ControlsLieInsideAndOverlapOnlyWhereLaidOut) {
    using Overlaps = std::set<std::tuple<int, std::string, std::string>>;
    const Overlaps expected = {
        {IDD_QUILLMAR_DIALOG, "1002", "\"145\""}, {IDD_TAB_VIDEO, "1079", "1082"},
        {IDD_TAB_IMAGE, "1058", "\"-2.0\""},      {IDD_TAB_IMAGE, "1058", "\"-\""},
        {IDD_TAB_IMAGE, "1109", "\"Soft\""},
    };
    Overlaps found;
    for (const DialogTemplate* t : AllDialogTemplates()) {
        std::set<int> ids;
        for (auto a = t->controls.begin(); a != t->controls.end(); ++a) {
            EXPECT_TRUE(QRect(0, 0, t->width, t->height).contains(RectOf(*a))) << t->id << " control " << NameOf(*a);
            EXPECT_TRUE(a->id == kNoId || ids.insert(a->id).second) << t->id << " repeats " << a->id;
            for (auto b = a + 1; b != t->controls.end(); ++b)
                if (a->Visible() && b->Visible() && RectOf(*a).intersects(RectOf(*b)))
                    found.insert({t->id, NameOf(*a), NameOf(*b)});
        }
    }
    EXPECT_EQ(found, expected);
}

// Base units 6 × 13, those of an 8-point dialog font on a 96-dpi screen;
// each value maps on its own and halves round away from zero, as Windows
// rounds them.
TEST(DialogUnitsTest, MapsEachValueOnItsOwn) {
    const struct {
        int x, y, width, height;
        QRect pixels;
    } cases[] = {{0, 0, 4, 8, QRect(0, 0, 6, 13)},
                 {7, 7, 436, 74, QRect(11, 11, 654, 120)},
                 {1, 4, 1, 4, QRect(2, 7, 2, 7)},
                 {661, 450, 0, 0, QRect(992, 731, 0, 0)},
                 {382, 81, 269, 27, QRect(573, 132, 404, 44)}};
    for (const auto& c : cases) EXPECT_EQ(DialogUnits(6, 13).ToPixels(c.x, c.y, c.width, c.height), c.pixels);
}

}  // namespace

}  // namespace quillmar
