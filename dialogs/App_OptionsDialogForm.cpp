#include "App_OptionsDialogForm.h"

#include "App_texts.h"
#include "Tk_texts.h"

// Each group box comes before its controls; a label with an access key comes
// right before the control that its key focuses.
const TFormDesc& OptionsDialogForm()
{
    static const TFormDesc form = {
        "OptionsDialog", Text(IDS_OPTIONS_CAPTION), 686, 491, 15,
        {
            {"GroupBox1", TControlKind::GroupBox, nullptr, Text(IDS_OPTIONS_OUTPUT), 5, 5, 676, 86},
            {"RadioButton11", TControlKind::RadioButton, "GroupBox1", Text(IDS_OPTIONS_AT_SOURCE), 10, 20, 161, 26,
             cfGroup},
            {"RadioButton12", TControlKind::RadioButton, "GroupBox1", Text(IDS_OPTIONS_DESKTOP), 175, 20, 161, 26},
            {"RadioButton13", TControlKind::RadioButton, "GroupBox1", Text(IDS_OPTIONS_ASK), 340, 20, 161, 26},
            {"RadioButton14", TControlKind::RadioButton, "GroupBox1", Text(IDS_OPTIONS_OTHER), 10, 50, 161, 26},
            {"Edit11", TControlKind::Edit, "GroupBox1", nullptr, 175, 50, 461, 23},
            {"Button11", TControlKind::Button, "GroupBox1", "...", 640, 50, 26, 26},

            {"GroupBox2", TControlKind::GroupBox, nullptr, Text(IDS_OPTIONS_NAME), 5, 95, 676, 206},
            {"Label21", TControlKind::Label, "GroupBox2", Text(IDS_OPTIONS_FORMAT), 10, 20, 161, 26},
            {"Edit21", TControlKind::Edit, "GroupBox2", nullptr, 175, 20, 161, 23},
            {"Label22", TControlKind::Label, "GroupBox2", Text(IDS_OPTIONS_ORIGINAL_NAME), 340, 20, 161, 26,
             cfCentered},
            {"Edit22", TControlKind::Edit, "GroupBox2", nullptr, 505, 20, 161, 23},
            {"CheckBox21", TControlKind::CheckBox, "GroupBox2", Text(IDS_OPTIONS_REMOVE_EXTENSION),
             10, 50, 616, 26},
            {"CheckBox22", TControlKind::CheckBox, "GroupBox2", Text(IDS_OPTIONS_AVOID_COLLISION), 10,
             80, 611, 26},
            {"Label23", TControlKind::Label, "GroupBox2", Text(IDS_OPTIONS_NUMBER_FORMAT), 30, 110, 156, 26},
            {"Edit23", TControlKind::Edit, "GroupBox2", nullptr, 190, 110, 156, 23},
            {"Label24", TControlKind::Label, "GroupBox2", Text(IDS_OPTIONS_NUMBER), 350, 110, 156, 26, cfCentered},
            {"Edit24", TControlKind::Edit, "GroupBox2", nullptr, 510, 110, 156, 23},
            {"Label25", TControlKind::Label, "GroupBox2", Text(IDS_OPTIONS_RANGE), 30, 140, 156, 26},
            {"Edit25", TControlKind::Edit, "GroupBox2", nullptr, 190, 140, 156, 23},
            {"Label26", TControlKind::Label, "GroupBox2", "-", 350, 140, 156, 26, cfCentered},
            {"Edit26", TControlKind::Edit, "GroupBox2", nullptr, 510, 140, 156, 23},
            {"Label27", TControlKind::Label, "GroupBox2", Text(IDS_OPTIONS_POSITION), 30, 170, 156, 26},
            {"ComboBox21", TControlKind::ComboBox, "GroupBox2", Text(IDS_OPTIONS_POSITIONS), 190, 170, 476,
             23},

            {"GroupBox3", TControlKind::GroupBox, nullptr, Text(IDS_OPTIONS_ENTRIES), 5, 305, 676, 146},
            {"CheckBox31", TControlKind::CheckBox, "GroupBox3", Text(IDS_OPTIONS_SORT), 10, 20, 656, 26},
            {"CheckBox32", TControlKind::CheckBox, "GroupBox3", Text(IDS_OPTIONS_MOVE), 10, 50, 656,
             26},
            {"Label31", TControlKind::Label, "GroupBox3", Text(IDS_OPTIONS_DIRECTORIES), 10, 80, 161, 26},
            {"ComboBox31", TControlKind::ComboBox, "GroupBox3",
             Text(IDS_GROUPINGS), 175, 80, 491, 23},
            {"CheckBox33", TControlKind::CheckBox, "GroupBox3", Text(IDS_OPTIONS_PREVIEW), 10, 110,
             656, 26},

            {"Button1", TControlKind::Button, nullptr, Text(IDS_OK), 435, 460, 121, 26, cfDefault, mrOk},
            {"Button2", TControlKind::Button, nullptr, Text(IDS_CANCEL), 560, 460, 121, 26, cfCancel, mrCancel},
        },
    };
    return form;
}
