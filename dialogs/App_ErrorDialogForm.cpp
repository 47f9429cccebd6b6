#include "App_ErrorDialogForm.h"

#include "App_texts.h"
#include "Tk_texts.h"

const TFormDesc& ErrorDialogForm()
{
    static const TFormDesc form = {
        "ErrorDialog", Text(IDS_ERRORS_CAPTION), 551, 346, 15,
        {
            {"Panel1", TControlKind::Panel, nullptr, nullptr, 0, 0, 551, 346},
            {"Image1", TControlKind::Image, "Panel1", nullptr, 5, 5, 56, 56},
            // Both labels show what the dialog is given: its explanation, and the
            // reason of the item with the caret, beside Close.
            {"Label1", TControlKind::Label, "Panel1", nullptr, 65, 5, 481, 56, cfWordWrap},
            {"ListBox1", TControlKind::ListBox, "Panel1", nullptr, 5, 65, 541, 241},
            {"Label2", TControlKind::Label, "Panel1", nullptr, 5, 315, 415, 26, cfNoPrefix | cfEndEllipsis},
            {"Button1", TControlKind::Button, "Panel1", Text(IDS_CLOSE), 425, 315, 121, 26, cfDefault | cfCancel, mrOk},
        },
    };
    return form;
}
