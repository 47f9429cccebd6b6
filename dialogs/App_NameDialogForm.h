// The form of the dialog that asks for the name of the one new directory.
#pragma once

#include "Tk_forms.h"

const TFormDesc& NameDialogForm();
