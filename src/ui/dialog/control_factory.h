#pragma once
// Creates the Qt widget that plays one template control.

#include "ui/dialog/dialog_template.h"
#include "ui/dialog/dialog_units.h"

#include <QWidget>

// The widget for `control`, a child of `parent`, placed and sized from its
// dialog units, hidden when the template says so.
QWidget* CreateControl(const ControlTemplate& control, QWidget* parent, const DialogUnits& units);
