#include "App_NameDialogForm.h"

const TFormDesc NameDialogForm = {
    "NameDialog", "Tesselo", 436, 106, 15,
    {
        {"Label1", TControlKind::Label, nullptr, "&Name of the new directory:", 10, 10, 416, 26},
        {"Edit1", TControlKind::Edit, nullptr, nullptr, 10, 40, 416, 23},
        {"Button1", TControlKind::Button, nullptr, "OK", 180, 75, 121, 26, cfDefault, mrOk},
        {"Button2", TControlKind::Button, nullptr, "Cancel", 305, 75, 121, 26, cfCancel, mrCancel},
    },
};
