#include "App_ErrorDialogForm.h"

const TFormDesc ErrorDialogForm = {
    "ErrorDialog", "Create Directories", 551, 346, 15,
    {
        {"Panel1", TControlKind::Panel, nullptr, nullptr, 0, 0, 551, 346},
        {"Image1", TControlKind::Image, "Panel1", nullptr, 5, 5, 56, 56},
        {"Label1", TControlKind::Label, "Panel1", "The program could not create directories with the following files:",
         65, 5, 481, 56, cfWordWrap},
        {"ListBox1", TControlKind::ListBox, "Panel1", nullptr, 5, 65, 541, 241},
        {"Button1", TControlKind::Button, "Panel1", "Close", 425, 315, 121, 26, cfDefault | cfCancel, mrOk},
    },
};
