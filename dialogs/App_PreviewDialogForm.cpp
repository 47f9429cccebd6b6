#include "App_PreviewDialogForm.h"

#include "App_texts.h"
#include "Tk_texts.h"

namespace {

const unsigned Across = akLeft | akTop | akRight;
const unsigned BottomRight = akRight | akBottom;

}

// The size given is the smallest the window takes; the list grows with it.
const TFormDesc& PreviewDialogForm()
{
    static const TFormDesc form = {
        "PreviewDialog", "Tesselo", 760, 436, 15,
        {
            {"Label1", TControlKind::Label, nullptr, Text(IDS_PREVIEW_OUTPUT), 10, 10, 241, 26},
            {"Label2", TControlKind::Label, nullptr, nullptr, 255, 10, 495, 26, cfNoPrefix | cfPathEllipsis, mrNone,
             Across},
            {"Label3", TControlKind::Label, nullptr, Text(IDS_PREVIEW_DIRECTORIES), 10, 40, 241, 26},
            {"ComboBox1", TControlKind::ComboBox, nullptr,
             Text(IDS_GROUPINGS), 255, 40, 300, 23},
            {"CheckBox1", TControlKind::CheckBox, nullptr, Text(IDS_PREVIEW_MOVE), 10, 70, 740, 26,
             cfNone, mrNone, Across},
            {"Label4", TControlKind::Label, nullptr, Text(IDS_NAME_LABEL), 10, 100, 241, 26},
            {"Edit1", TControlKind::Edit, nullptr, nullptr, 255, 100, 495, 23, cfNone, mrNone, Across},
            {"ListView1", TControlKind::ListView, nullptr, Text(IDS_PREVIEW_COLUMNS), 10, 135, 740, 255, cfNone,
             mrNone, akLeft | akTop | akRight | akBottom},
            {"Label5", TControlKind::Label, nullptr, nullptr, 10, 400, 480, 26, cfNoPrefix | cfEndEllipsis, mrNone,
             akLeft | akRight | akBottom},
            {"Button1", TControlKind::Button, nullptr, Text(IDS_OK), 500, 400, 121, 26, cfDefault, mrOk, BottomRight},
            {"Button2", TControlKind::Button, nullptr, Text(IDS_CANCEL), 629, 400, 121, 26, cfCancel, mrCancel,
             BottomRight},
        },
        TBorderStyle::Sizeable,
    };
    return form;
}
