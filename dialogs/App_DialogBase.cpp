#include "App_DialogBase.h"

#include "App_common.h"

void TAppDialog::RaiseError(const std::string& message)
{
    throw EAppError(message);
}

void TAppDialog::RaiseInputError(const std::string& message, HWND control)
{
    SetActiveControl(control);
    throw EAppError(message);
}
