#include "App_DialogBase.h"

#include "App_common.h"
#include "Kro_files.h"

const char* DirectoryNameRefusal(const std::string& name)
{
    if (name.empty())
        return "Type a name.";
    if (FindInvalidFileNameChar(name) != 0)
        return "Remove invalid characters.";
    if (IsReservedFileName(name))
        return "Type a name that Windows keeps as it is: no dot at its end, and no device name such as CON.";
    return nullptr;
}

void TAppDialog::RaiseError(const std::string& message)
{
    throw EAppError(message);
}

void TAppDialog::RaiseInputError(const std::string& message, HWND control)
{
    SetActiveControl(control);
    throw EAppError(message);
}
