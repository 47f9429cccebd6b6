#include "App_ErrorDialogForm.h"

const TFormDesc ErrorDialogForm = {
    "ErrorDialog", "Create Directories", 551, 346, 15,
    {
        {"Panel1", TControlKind::Panel, nullptr, nullptr, 0, 0, 551, 346, cfNone, mrNone},
        {"Image1", TControlKind::Image, "Panel1", nullptr, 5, 5, 56, 56, cfNone, mrNone},
        {"Label1", TControlKind::Label, "Panel1", "The program could not create directories with the following files:",
         65, 5, 481, 56, cfWordWrap, mrNone},
        {"ListBox1", TControlKind::ListBox, "Panel1", nullptr, 5, 65, 541, 241, cfNone, mrNone},
        {"Button1", TControlKind::Button, "Panel1", "Close", 425, 315, 121, 26, cfDefault | cfCancel, mrOk},
    },
};
