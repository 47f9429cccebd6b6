#include "App_DialogBase.h"

#include "App_common.h"
#include "App_texts.h"
#include "Kro_files.h"
#include "Tk_texts.h"

const char* DirectoryNameRefusal(const std::string& name)
{
    if (name.empty())
        return Text(IDS_TYPE_NAME);
    if (FindInvalidFileNameChar(name) != 0)
        return Text(IDS_REMOVE_INVALID);
    if (IsReservedFileName(name))
        return Text(IDS_TYPE_KEPT_NAME);
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
