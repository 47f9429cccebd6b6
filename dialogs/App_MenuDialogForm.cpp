#include "App_MenuDialogForm.h"

#include "App_texts.h"
#include "Tk_texts.h"

const TFormDesc& MenuDialogForm()
{
    static const TFormDesc form = {
        "MenuDialog", "Tesselo", 396, 191, 15,
        {
            {"Image1", TControlKind::Image, nullptr, nullptr, 5, 5, 56, 56},
            {"Label1", TControlKind::Label, nullptr, Text(IDS_MENU_PROMPT), 70, 5, 321, 26, cfNoPrefix},
            {"RadioButton1", TControlKind::RadioButton, nullptr, Text(IDS_MENU_OPTIONS), 70, 35, 321, 26, cfGroup},
            {"RadioButton2", TControlKind::RadioButton, nullptr, Text(IDS_MENU_HELP), 70, 65, 321, 26},
            {"RadioButton3", TControlKind::RadioButton, nullptr, Text(IDS_MENU_ABOUT), 70, 95, 321, 26},
            {"RadioButton4", TControlKind::RadioButton, nullptr, Text(IDS_MENU_UNDO), 70, 125, 321, 26},
            {"Button1", TControlKind::Button, nullptr, Text(IDS_MENU_EXECUTE), 145, 160, 121, 26, cfDefault, mrOk},
            {"Button2", TControlKind::Button, nullptr, Text(IDS_CANCEL), 270, 160, 121, 26, cfCancel, mrCancel},
        },
    };
    return form;
}
