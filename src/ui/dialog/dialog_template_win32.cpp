// DialogTemplate to DLGTEMPLATEEX: the header, then each control's
// DLGITEMTEMPLATEEX on a DWORD boundary, with its class and styles.
#include "ui/dialog/dialog_template_win32.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

namespace {

// Predefined classes are named by their ordinals.
constexpr std::uint16_t kButtonClass = 0x0080;
constexpr std::uint16_t kEditClass = 0x0081;
constexpr std::uint16_t kStaticClass = 0x0082;
constexpr std::uint16_t kListBoxClass = 0x0083;

struct ControlClass {
    std::uint16_t ordinal;  // 0: the class goes by name
    const wchar_t* name;
    DWORD style;
};

ControlClass ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::kPushButton:
        return {kButtonClass, nullptr, BS_PUSHBUTTON};
    case ControlKind::kDefPushButton:
        return {kButtonClass, nullptr, BS_DEFPUSHBUTTON};
    case ControlKind::kRadio:
        return {kButtonClass, nullptr, BS_AUTORADIOBUTTON};
    case ControlKind::kCheckBox:
        return {kButtonClass, nullptr, BS_AUTOCHECKBOX};
    // Texts set at run time (paths, profile names) show an ampersand as it is.
    case ControlKind::kText:
        return {kStaticClass, nullptr, SS_LEFT | SS_NOPREFIX};
    case ControlKind::kSeparator:
        return {kStaticClass, nullptr, SS_ETCHEDHORZ};
    case ControlKind::kTrackBar:
        return {0, TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTH};
    case ControlKind::kListView:
        return {0, WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER};
    case ControlKind::kListBox:
        // Without LBS_NOINTEGRALHEIGHT the box would shrink to whole rows and
        // leave the rectangle the template (and the Linux window) gives it.
        return {kListBoxClass, nullptr, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER};
    case ControlKind::kTabControl:
        // Always a tab stop, as on Linux: the keyboard's only way to the other pages.
        return {0, WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_TABSTOP};
    case ControlKind::kEdit:
        return {kEditClass, nullptr, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER};
    // A picture keeps the control's rectangle instead of taking the image's
    // size, as the Linux window scales it into the rectangle.
    case ControlKind::kBitmap:
        return {kStaticClass, nullptr, SS_BITMAP | SS_REALSIZECONTROL};
    case ControlKind::kIcon:
        return {kStaticClass, nullptr, SS_ICON | SS_REALSIZECONTROL};
    }
    return {kStaticClass, nullptr, SS_LEFT};
}

// Appends 16-bit words; DWORDs go in low word first, as on every Windows CPU.
class TemplateWriter {
public:
    void Word(std::uint16_t value) { words_.push_back(value); }
    void Dword(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
    void Text(const char16_t* text) {
        for (const char16_t* c = text; c && *c; ++c) Word(static_cast<std::uint16_t>(*c));
        Word(0);
    }
    void Text(const wchar_t* text) {
        for (const wchar_t* c = text; *c; ++c) Word(static_cast<std::uint16_t>(*c));
        Word(0);
    }
    void Ordinal(std::uint16_t value) {
        Word(0xFFFF);
        Word(value);
    }
    void AlignToDword() {
        if (words_.size() % 2) Word(0);
    }
    std::vector<std::uint16_t> Take() { return std::move(words_); }

private:
    std::vector<std::uint16_t> words_;
};

void WriteHeader(const DialogTemplate& dialog, TemplateWriter& out) {
    const bool page = !dialog.caption || !*dialog.caption;
    DWORD style = DS_SETFONT | DS_SHELLFONT;
    style |= page ? WS_CHILD | DS_CONTROL : WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    out.Word(1);       // dlgVer
    out.Word(0xFFFF);  // signature: extended template
    out.Dword(0);      // helpID
    out.Dword(0);      // exStyle: DS_CONTROL makes a page a control parent
    out.Dword(style);
    out.Word(static_cast<std::uint16_t>(dialog.controls.size()));
    out.Short(0);
    out.Short(0);
    out.Short(dialog.width);
    out.Short(dialog.height);
    out.Word(0);  // no menu
    out.Word(0);  // the standard dialog class
    out.Text(page ? u"" : dialog.caption);
    out.Word(static_cast<std::uint16_t>(dialog.point_size));
    out.Word(FW_NORMAL);
    out.Word(DEFAULT_CHARSET << 8);  // italic (low byte) 0, then the character set
    out.Text(dialog.font_face);
}

void WriteControl(const ControlTemplate& control, TemplateWriter& out) {
    const ControlClass cls = ClassOf(control.kind);
    DWORD style = WS_CHILD | cls.style;
    if (control.Visible()) style |= WS_VISIBLE;
    if (control.Group()) style |= WS_GROUP;
    if (control.TabStop()) style |= WS_TABSTOP;
    out.AlignToDword();
    out.Dword(0);  // helpID
    out.Dword(0);  // exStyle
    out.Dword(style);
    out.Short(control.x);
    out.Short(control.y);
    out.Short(control.width);
    out.Short(control.height);
    out.Dword(static_cast<std::uint32_t>(control.id));  // kNoId becomes 0xFFFFFFFF, as in resource files
    if (cls.ordinal)
        out.Ordinal(cls.ordinal);
    else
        out.Text(cls.name);
    // A picture's caption is its resource number.
    if (control.kind == ControlKind::kBitmap || control.kind == ControlKind::kIcon)
        out.Ordinal(ResourceNumber(control.caption));
    else
        out.Text(control.caption);
    out.Word(0);  // no creation data
}

}  // namespace

std::uint16_t ResourceNumber(const char16_t* caption) {
    unsigned number = 0;
    for (const char16_t* c = caption; c && *c >= u'0' && *c <= u'9'; ++c) number = number * 10 + (*c - u'0');
    return static_cast<std::uint16_t>(number);
}

std::vector<std::uint16_t> BuildDlgTemplateEx(const DialogTemplate& dialog) {
    TemplateWriter out;
    WriteHeader(dialog, out);
    for (const ControlTemplate& control : dialog.controls) WriteControl(control, out);
    return out.Take();
}
