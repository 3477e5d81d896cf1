#pragma once
// A DialogTemplate as the bytes Windows builds a dialog from: an extended
// dialog template (DLGTEMPLATEEX and one DLGITEMTEMPLATEEX per control) for
// CreateDialogIndirectParamW and DialogBoxIndirectParamW.
//
// This header stays free of <windows.h>, whose IDOK and IDCANCEL macros would
// clash with the constants of dialog_template.h: include it, or
// dialog_template.h, before <windows.h>.

#include <cstdint>
#include <vector>

#include "ui/dialog/dialog_template.h"

// The template in 16-bit words, ready to be passed as LPCDLGTEMPLATEW.
// Top-level dialogs (a caption) get a popup frame with a system menu; pages
// (no caption) become child dialogs for the tab control. The vector's storage
// comes from operator new and is therefore DWORD-aligned, as Windows requires.
std::vector<std::uint16_t> BuildDlgTemplateEx(const DialogTemplate& dialog);
// The resource number a picture's caption holds ("145"), 0 for none.
std::uint16_t ResourceNumber(const char16_t* caption);
