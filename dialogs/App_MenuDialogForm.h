#pragma once

#include "Tk_forms.h"

// The command menu's form: caption, size and controls in tab order.
const TFormDesc& MenuDialogForm();
