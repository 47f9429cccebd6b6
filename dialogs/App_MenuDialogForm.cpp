#include "App_MenuDialogForm.h"

const TFormDesc MenuDialogForm = {
    "MenuDialog", "Tesselo", 396, 191, 15,
    {
        {"Image1", TControlKind::Image, nullptr, nullptr, 5, 5, 56, 56},
        {"Label1", TControlKind::Label, nullptr, "Choose a command.", 70, 5, 321, 26, cfNoPrefix},
        {"RadioButton1", TControlKind::RadioButton, nullptr, "&Show options", 70, 35, 321, 26, cfGroup},
        {"RadioButton2", TControlKind::RadioButton, nullptr, "&Open the offline help", 70, 65, 321, 26},
        {"RadioButton3", TControlKind::RadioButton, nullptr, "&About Tesselo", 70, 95, 321, 26},
        {"RadioButton4", TControlKind::RadioButton, nullptr, "&Undo the last run", 70, 125, 321, 26},
        {"Button1", TControlKind::Button, nullptr, "Execute", 145, 160, 121, 26, cfDefault, mrOk},
        {"Button2", TControlKind::Button, nullptr, "Cancel", 270, 160, 121, 26, cfCancel, mrCancel},
    },
};
