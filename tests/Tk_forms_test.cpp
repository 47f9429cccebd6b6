#include "Tk_forms.h"

#include "Tk_exceptions.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

const TFormDesc OrphanForm = {
    "OrphanForm", "Orphan", 200, 100, 15,
    {
        {"Edit1", TControlKind::Edit, nullptr, nullptr, 5, 5, 100, 23},
        {"Edit2", TControlKind::Edit, "GroupBox9", nullptr, 5, 35, 100, 23},
    },
};

const TFormDesc SmallForm = {
    "SmallForm", "Small", 200, 100, 15, {{"Edit1", TControlKind::Edit, nullptr, nullptr, 5, 5, 100, 23}}};

// A form that asks for a control its description lacks.
struct TMisnamedForm : TForm {
    TMisnamedForm() : TForm(SmallForm), Edit2(Control("Edit2")) {}
    HWND Edit2;
};

}

TEST(TkForms, AFailedConstructionLeavesNoWindowBehind)
{
    // Counted once the windows that stay (the application's own) exist.
    TForm(SmallForm).Handle();
    const int before = ThreadWindowCount();
    const std::function<void()> constructions[] = {
        [] { TForm form(OrphanForm); },
        [] { TMisnamedForm form; },
    };
    const char* const messages[] = {"The program does not know the control \"GroupBox9\".",
                                    "The program does not know the control \"Edit2\"."};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ThrownMessage<Exception>(constructions[i]), messages[i]);
        EXPECT_EQ(ThreadWindowCount(), before) << messages[i];
    }
    // Nothing is left that a message could reach.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    TForm form(SmallForm);
    EXPECT_TRUE(IsWindow(form.Handle()));
}
