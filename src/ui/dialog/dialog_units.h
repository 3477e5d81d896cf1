#pragma once
// Dialog units: a template measures its controls in quarters of the font's
// average character width and eighths of its character height, so a layout
// keeps its proportions at any font size and on any screen.

#include <QFont>
#include <QRect>

// The font a template names, at its point size. Faces this desktop does not
// have (the Windows dialog faces among them) become the desktop's sans-serif.
QFont TemplateFont(const QString& face, int pointSize);

// A font of the desktop's sans-serif whose character cell (ascent plus
// descent) is `cellHeight` pixels high, as a font created by height is.
QFont FontWithCellHeight(const QString& face, int cellHeight);

class DialogUnits {
public:
    // Base units of a font: the average width of the 52 Latin letters,
    // rounded, and the font's character height.
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight) : base_width_(baseWidth), base_height_(baseHeight) {}

    int ToPixelsX(int x) const;
    int ToPixelsY(int y) const;
    QRect ToPixels(int x, int y, int width, int height) const;

    int BaseWidth() const { return base_width_; }
    int BaseHeight() const { return base_height_; }

private:
    int base_width_;
    int base_height_;
};
