#pragma once

#include "Tk_forms.h"

// The options dialog's form: caption, size and controls in tab order.
const TFormDesc& OptionsDialogForm();
