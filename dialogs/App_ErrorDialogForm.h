#pragma once

#include "Tk_forms.h"

// The failed-entries dialog's form: caption, size and controls in tab order.
const TFormDesc& ErrorDialogForm();
