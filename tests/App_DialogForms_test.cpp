#include "App_ErrorDialogForm.h"
#include "App_MenuDialogForm.h"
#include "App_NameDialogForm.h"
#include "App_OptionsDialogForm.h"
#include "App_PreviewDialogForm.h"
#include "App_ProgressDialogForm.h"
#include "Tk_controls.h"
#include "Tk_forms.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The text a control draws of its caption: the access key's '&' goes, and a
// menu's Japanese "(&S)" stays as "(S)".
std::string Drawn(const std::string& caption)
{
    std::string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

std::vector<std::string> Lines(const char* caption)
{
    std::vector<std::string> lines;
    std::istringstream stream(caption);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The width that the control leaves its text: a check box's or radio
// button's box and gap, a button's border, a group box's edges and gaps, a
// drop-down list's arrow.
int TextRoom(HWND control, TControlKind kind, const TForm& form)
{
    RECT client;
    GetClientRect(control, &client);
    switch (kind) {
    case TControlKind::CheckBox:
    case TControlKind::RadioButton:
        return client.right - GetSystemMetrics(SM_CXMENUCHECK) - form.Scale(5);
    case TControlKind::Button:
        return client.right - 2 * GetSystemMetrics(SM_CXBORDER);
    case TControlKind::GroupBox:
        return client.right - form.Scale(10);
    case TControlKind::ComboBox:
        return client.right - GetSystemMetrics(SM_CXVSCROLL) - form.Scale(6);
    default:
        return client.right;
    }
}

}

// In the interface's language, no caption is cut short: a field is widened
// rather than a word cut.
TEST(AppDialogForms, EveryCaptionFitsItsControl)
{
    for (const TFormDesc* description : {&ErrorDialogForm(), &MenuDialogForm(), &NameDialogForm(),
                                         &OptionsDialogForm(), &PreviewDialogForm(), &ProgressDialogForm()}) {
        TForm form(*description);
        for (const TControlDesc& control : description->Controls) {
            if (!control.Caption || control.Kind == TControlKind::ListView || (control.Flags & cfWordWrap))
                continue;
            const HWND window = form.Control(control.Name);
            const TTextMeasure measure(window);
            for (const std::string& line : Lines(control.Caption))
                EXPECT_LE(measure.Width(Drawn(line)), TextRoom(window, control.Kind, form))
                    << description->Name << "." << control.Name << ": " << line;
        }
    }
}
