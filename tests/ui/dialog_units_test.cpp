#include "support/qt_application.h"
#include "ui/dialog/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

struct UnitsCase {
    int x, y, width, height;
    QRect pixels;
};

// Base units 6 × 13, those of an 8-point dialog font on a 96-dpi screen;
// halves round away from zero, as Windows rounds them.
class DialogUnitsConversion : public ::testing::TestWithParam<UnitsCase> {};

TEST_P(DialogUnitsConversion, MapsEachValueOnItsOwn) {
    const UnitsCase& c = GetParam();
    EXPECT_EQ(DialogUnits(6, 13).ToPixels(c.x, c.y, c.width, c.height), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Rects, DialogUnitsConversion,
                         ::testing::Values(UnitsCase{0, 0, 4, 8, QRect(0, 0, 6, 13)},
                                           UnitsCase{7, 7, 436, 74, QRect(11, 11, 654, 120)},
                                           UnitsCase{1, 4, 1, 4, QRect(2, 7, 2, 7)},
                                           UnitsCase{661, 450, 0, 0, QRect(992, 731, 0, 0)},
                                           UnitsCase{382, 81, 269, 27, QRect(573, 132, 404, 44)}));

TEST(DialogUnitsTest, LayoutScalesWithTheFont) {
    test_support::EnsureQtApplication();
    const DialogUnits small(TemplateFont(QStringLiteral("MS Shell Dlg"), 8));
    const DialogUnits large(TemplateFont(QStringLiteral("MS Shell Dlg"), 16));
    EXPECT_NEAR(large.baseWidth(), 2 * small.baseWidth(), 2);
    EXPECT_NEAR(large.baseHeight(), 2 * small.baseHeight(), 2);
    // A control keeps its share of the dialog.
    const double smallShare = double(small.ToPixelsX(436)) / small.ToPixelsX(661);
    const double largeShare = double(large.ToPixelsX(436)) / large.ToPixelsX(661);
    EXPECT_NEAR(smallShare, largeShare, 0.01);
}

TEST(DialogUnitsTest, MissingWindowsFacesBecomeTheDesktopSansSerif) {
    test_support::EnsureQtApplication();
    const QString desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const char* face : {"MS Shell Dlg", "Microsoft Sans Serif", "System"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(face))) continue;
        const QFont font = TemplateFont(QString::fromLatin1(face), 10);
        EXPECT_EQ(font.family(), desktop) << face;
        EXPECT_EQ(font.pointSize(), 10) << face;
    }
}

TEST(DialogUnitsTest, FontByCellHeightHasThatCell) {
    test_support::EnsureQtApplication();
    for (const int cell : {12, 18, 30})
        EXPECT_NEAR(QFontMetrics(FontWithCellHeight(QStringLiteral("System"), cell)).height(), cell, 1) << cell;
}

}  // namespace
