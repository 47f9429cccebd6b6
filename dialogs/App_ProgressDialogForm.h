#pragma once

#include "Tk_forms.h"

// The progress window's form: caption, size and controls in tab order.
const TFormDesc& ProgressDialogForm();
