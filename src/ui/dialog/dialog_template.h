#pragma once
// Dialog templates as data: every control of a dialog with its id, kind,
// caption and rectangle in dialog units, in template order. Template order is
// the creation order, the keyboard order and the order radio groups are
// walked in.

#include "ui/dialog/command_ids.h"  // IDOK, IDCANCEL

#include <span>

// The id of controls without one.
inline constexpr int kNoId = -1;

enum class ControlKind {
    kPushButton,
    kDefPushButton,  // the button that Enter presses
    kRadio,          // automatic radio button
    kCheckBox,       // automatic two-state check box
    kText,           // left-aligned static text
    kSeparator,      // etched horizontal line
    kTrackBar,       // horizontal, automatic ticks on both sides
    kListView,       // report view, single selection, border
    kListBox,        // notifies selection changes, unsorted, vertical scroll bar, border
    kTabControl,
    kEdit,    // border, scrolls horizontally, no length limit
    kBitmap,  // static picture; caption holds the bitmap's resource number
    kIcon,    // static icon; caption holds the icon's resource number
};

// Style bits of a control.
enum ControlFlag : unsigned {
    kGroup = 1u << 0,    // starts a radio group, or ends the one before it
    kTabStop = 1u << 1,  // reached with the Tab key
    kHidden = 1u << 2,   // created without the visible style
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char16_t* caption;
    int x, y, width, height;  // dialog units
    unsigned flags;

    bool Group() const { return flags & kGroup; }
    bool TabStop() const { return flags & kTabStop; }
    bool Visible() const { return !(flags & kHidden); }
};

struct DialogTemplate {
    int id;
    const char16_t* caption;  // empty for child pages
    const char16_t* font_face;
    int point_size;
    int width, height;  // dialog units
    std::span<const ControlTemplate> controls;

    // The control with this id, or nullptr.
    const ControlTemplate* Find(int controlId) const {
        for (const ControlTemplate& c : controls)
            if (c.id == controlId && controlId != kNoId) return &c;
        return nullptr;
    }
};
