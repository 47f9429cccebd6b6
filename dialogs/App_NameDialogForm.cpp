#include "App_NameDialogForm.h"

#include "App_texts.h"
#include "Tk_texts.h"

const TFormDesc& NameDialogForm()
{
    static const TFormDesc form = {
        "NameDialog", "Tesselo", 436, 106, 15,
        {
            {"Label1", TControlKind::Label, nullptr, Text(IDS_NAME_LABEL), 10, 10, 416, 26},
            {"Edit1", TControlKind::Edit, nullptr, nullptr, 10, 40, 416, 23},
            {"Button1", TControlKind::Button, nullptr, Text(IDS_OK), 180, 75, 121, 26, cfDefault, mrOk},
            {"Button2", TControlKind::Button, nullptr, Text(IDS_CANCEL), 305, 75, 121, 26, cfCancel, mrCancel},
        },
    };
    return form;
}
