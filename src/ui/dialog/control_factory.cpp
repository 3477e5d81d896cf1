// Creating the Qt widget for each template control, placed from its dialog units.
#include "ui/dialog/control_factory.h"

#include "ui/dialog/one_line_cells.h"
#include "ui/dialog/tab_control.h"
#include "ui/dialog/track_bar.h"
#include "ui/resources_qt.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace {

// A button caption as shown: "&x" underlines x and makes Alt+x press the
// button; an "&" before a blank or at the end marks nothing, so it goes
// (Qt would underline the blank and bind Alt+Space). "&&" stays a literal.
QString ShownCaption(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                shown += u"&&";
                ++i;
                continue;
            }
            if (i + 1 == caption.size() || caption[i + 1].isSpace()) continue;
        }
        shown += caption[i];
    }
    return shown;
}

QWidget* CreatePushButton(const QString& caption, bool isDefault, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    // Enter is dispatched by the dialog, not by Qt's default-button logic.
    button->setAutoDefault(false);
    button->setDefault(isDefault);
    return button;
}

QWidget* CreateRadio(const QString& caption, QWidget* parent) {
    auto* radio = new QRadioButton(caption, parent);
    // Exclusivity comes from the dialog's group runs, not from the parent.
    radio->setAutoExclusive(false);
    return radio;
}

QWidget* CreateText(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* CreateSeparator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QWidget* CreateListView(QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setShowGrid(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().lineSpacing() + 6);
    table->setItemDelegate(new OneLineCells(table));
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Tab leaves the list for the next control; the arrows move between rows.
    table->setTabKeyNavigation(false);
    return table;
}

QWidget* CreateListBox(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QWidget* CreatePicture(const QPixmap& source, const QRect& rect, QWidget* parent) {
    auto* label = new QLabel(parent);
    if (!source.isNull()) {
        // Drawn at the control's size, so the picture scales with the layout;
        // the device pixel ratio keeps it sharp on dense screens.
        const qreal ratio = parent->devicePixelRatioF();
        QPixmap scaled = source.scaled(rect.size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        label->setPixmap(scaled);
    }
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* CreateKind(const ControlTemplate& c, const QRect& rect, QWidget* parent) {
    const QString caption =
        c.kind == ControlKind::kText ? QString::fromUtf16(c.caption) : ShownCaption(QString::fromUtf16(c.caption));
    switch (c.kind) {
    case ControlKind::kPushButton:
        return CreatePushButton(caption, false, parent);
    case ControlKind::kDefPushButton:
        return CreatePushButton(caption, true, parent);
    case ControlKind::kRadio:
        return CreateRadio(caption, parent);
    case ControlKind::kCheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::kText:
        return CreateText(caption, parent);
    case ControlKind::kSeparator:
        return CreateSeparator(parent);
    case ControlKind::kTrackBar:
        return new TrackBar(parent);
    case ControlKind::kListView:
        return CreateListView(parent);
    case ControlKind::kListBox:
        return CreateListBox(parent);
    case ControlKind::kTabControl:
        return new TabControl(parent);
    case ControlKind::kEdit:
        return new QLineEdit(parent);
    case ControlKind::kBitmap:
        return CreatePicture(LoadBitmapResource(caption.toInt()), rect, parent);
    case ControlKind::kIcon: {
        const int side = std::min(rect.width(), rect.height());
        return CreatePicture(LoadIconResource(caption.toInt()).pixmap(side, side), rect, parent);
    }
    }
    return new QWidget(parent);
}

}  // namespace

QWidget* CreateControl(const ControlTemplate& c, QWidget* parent, const DialogUnits& units) {
    const QRect rect = units.ToPixels(c.x, c.y, c.width, c.height);
    QWidget* widget = CreateKind(c, rect, parent);
    widget->setGeometry(rect);
    if (widget->focusPolicy() != Qt::NoFocus) widget->setFocusPolicy(c.TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
    if (!c.Visible()) widget->hide();
    return widget;
}
