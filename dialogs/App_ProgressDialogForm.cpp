#include "App_ProgressDialogForm.h"

#include "App_texts.h"
#include "Tk_texts.h"

const TFormDesc& ProgressDialogForm()
{
    static const TFormDesc form = {
        "ProgressDialog", "Tesselo", 501, 126, 15,
        {
            {"Label1", TControlKind::Label, nullptr, nullptr, 5, 5, 491, 26, cfNoPrefix},
            {"Label2", TControlKind::Label, nullptr, nullptr, 5, 35, 491, 26, cfNoPrefix | cfPathEllipsis},
            {"ProgressBar1", TControlKind::ProgressBar, nullptr, nullptr, 5, 68, 491, 20},
            {"Button1", TControlKind::Button, nullptr, Text(IDS_CANCEL), 375, 95, 121, 26, cfDefault | cfCancel,
             mrCancel},
        },
    };
    return form;
}
