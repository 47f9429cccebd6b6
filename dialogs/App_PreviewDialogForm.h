// The form of the window that shows a run's directories before they are made.
#pragma once

#include "Tk_forms.h"

const TFormDesc& PreviewDialogForm();
