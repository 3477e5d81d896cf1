// Template fonts, and dialog units turned into pixels from a font's average character cell.
#include "ui/dialog/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <cmath>

namespace {

// An installed family of that name, else the desktop's sans-serif. The
// installed names are listed once: QFontDatabase::hasFamily would ask
// fontconfig to resolve aliases on every call, which slows the start.
QString DesktopFamily(const QString& face) {
    static const QStringList kInstalled = QFontDatabase::families();
    if (kInstalled.contains(face, Qt::CaseInsensitive)) return face;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) { return static_cast<int>(std::lround(static_cast<double>(a) * b / c)); }

}  // namespace

QFont TemplateFont(const QString& face, int pointSize) {
    QFont font(DesktopFamily(face));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    return font;
}

QFont FontWithCellHeight(const QString& face, int cellHeight) {
    QFont font(DesktopFamily(face));
    font.setStyleHint(QFont::SansSerif);
    // Pixel sizes set the em, not the cell: scale by the family's ratio.
    font.setPixelSize(cellHeight);
    const int measured = QFontMetrics(font).height();
    if (measured > 0 && measured != cellHeight)
        font.setPixelSize(std::max(1, MulDiv(cellHeight, cellHeight, measured)));
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    base_width_ = std::max(1, (alphabet / 26 + 1) / 2);
    base_height_ = std::max(1, metrics.height());
}

int DialogUnits::ToPixelsX(int x) const { return MulDiv(x, base_width_, 4); }
int DialogUnits::ToPixelsY(int y) const { return MulDiv(y, base_height_, 8); }

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height));
}
