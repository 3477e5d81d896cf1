#pragma once
// The templates of every dialog of the program, by resource number.

#include "ui/dialog/dialog_template.h"

#include <array>

namespace quillmar {

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_QUILLMAR_DIALOG = 102;
inline constexpr int IDD_TAB_MODE = 129;
inline constexpr int IDD_TAB_VIDEO = 130;
inline constexpr int IDD_TAB_IMAGE = 131;
inline constexpr int IDD_NEW_CFG = 132;
inline constexpr int IDD_TAB_PHOTO = 133;
inline constexpr int IDD_TAB_SYSTEM = 134;

extern const DialogTemplate kAboutBoxTemplate;    // 100
extern const DialogTemplate kMainWindowTemplate;  // 102
extern const DialogTemplate kModePageTemplate;    // 129
extern const DialogTemplate kVideoPageTemplate;   // 130
extern const DialogTemplate kImagePageTemplate;   // 131
extern const DialogTemplate kNewProfileTemplate;  // 132
extern const DialogTemplate kPhotoPageTemplate;   // 133
extern const DialogTemplate kSystemPageTemplate;  // 134

// The main window's status strip: not a template control (the window's
// template stays as it is), placed in dialog units in the free band between
// the card list and the tab control.
extern const ControlTemplate kMainWindowStatusArea;

inline std::array<const DialogTemplate*, 8> AllDialogTemplates() {
    return {&kAboutBoxTemplate,  &kMainWindowTemplate, &kModePageTemplate,  &kVideoPageTemplate,
            &kImagePageTemplate, &kNewProfileTemplate, &kPhotoPageTemplate, &kSystemPageTemplate};
}

}  // namespace quillmar
