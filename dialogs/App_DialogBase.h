// What the program's dialogs share: one form each, with the two ways a
// dialog reports a wrong value.
#pragma once

#include "Tk_forms.h"

#include <string>

class TAppDialog : public TForm {
public:
    using TForm::TForm;

protected:
    // A value that the dialog cannot show: EAppError, nothing else changes.
    [[noreturn]] void RaiseError(const std::string& message);
    // A control holding what the dialog cannot accept: the control gets the
    // focus, then EAppError with the message.
    [[noreturn]] void RaiseInputError(const std::string& message, HWND control);
};

// Why name, without blanks at its ends, cannot name the one directory of a
// run; nullptr when it can.
const char* DirectoryNameRefusal(const std::string& name);
