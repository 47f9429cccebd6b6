#include "Tk_forms.h"

#include "TestSupport.h"
#include "Tk_dpi.h"
#include "Tk_exceptions.h"

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

namespace {

// A list that grows with the form, a line under it that widens, and a
// button that keeps to the bottom right corner.
const TFormDesc SizeableForm = {
    "SizeableForm", "Sizeable", 300, 200, 15,
    {
        {"List", TControlKind::ListView, nullptr, "One\nTwo", 10, 10, 280, 140, cfNone, mrNone,
         akLeft | akTop | akRight | akBottom},
        {"Line", TControlKind::Label, nullptr, "line", 10, 160, 150, 26, cfNone, mrNone, akLeft | akRight | akBottom},
        {"Button", TControlKind::Button, nullptr, "OK", 170, 160, 120, 26, cfDefault, mrOk, akRight | akBottom},
    },
    TBorderStyle::Sizeable,
};

RECT ClientBounds(const TForm& form, const char* name)
{
    RECT bounds;
    GetWindowRect(form.Control(name), &bounds);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

}

TEST(TkForms, AnchoredControlsFollowTheEdgesAndTheFormKeepsItsSmallestSize)
{
    TForm form(SizeableForm);
    const auto resize = [&](int width, int height) {
        RECT bounds = {0, 0, width, height};
        AdjustWindowRectEx(&bounds, GetWindowLongA(form.Handle(), GWL_STYLE), FALSE,
                           GetWindowLongA(form.Handle(), GWL_EXSTYLE));
        SetWindowPos(form.Handle(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const int width = form.Scale(300);
    const int height = form.Scale(200);
    resize(width + 100, height + 50);
    const RECT list = ClientBounds(form, "List");
    EXPECT_EQ(list.left, form.Scale(10));
    EXPECT_EQ(list.right, form.Scale(290) + 100);
    EXPECT_EQ(list.bottom, form.Scale(150) + 50);
    const RECT line = ClientBounds(form, "Line");
    EXPECT_EQ(line.left, form.Scale(10));
    EXPECT_EQ(line.top, form.Scale(160) + 50);
    EXPECT_EQ(line.right, form.Scale(160) + 100);
    const RECT button = ClientBounds(form, "Button");
    EXPECT_EQ(button.left, form.Scale(170) + 100);
    EXPECT_EQ(button.top, form.Scale(160) + 50);
    EXPECT_EQ(button.right - button.left, form.Scale(120));

    // Dragging the frame smaller stops at the description's size.
    MINMAXINFO limits = {};
    SendMessageA(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT smallest = {0, 0, width, height};
    AdjustWindowRectEx(&smallest, GetWindowLongA(form.Handle(), GWL_STYLE), FALSE,
                       GetWindowLongA(form.Handle(), GWL_EXSTYLE));
    EXPECT_EQ(limits.ptMinTrackSize.x, smallest.right - smallest.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, smallest.bottom - smallest.top);
}

TEST(TkFormsDpi, ASizeableFormKeepsTheSizeTheUserGaveItScaled)
{
    TForm form(SizeableForm);
    const int from = form.Dpi();
    const int to = from * 3 / 2;
    // The user made it larger than it opened.
    RECT client = {0, 0, form.Scale(300) + 100, form.Scale(200) + 50};
    RECT bounds = client;
    AdjustWindowRectEx(&bounds, GetWindowLongA(form.Handle(), GWL_STYLE), FALSE,
                       GetWindowLongA(form.Handle(), GWL_EXSTYLE));
    SetWindowPos(form.Handle(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // What Windows suggests: the client area scaled, in the frame that the
    // window has (Wine keeps one frame for every density).
    const SIZE scaled = {MulDiv(client.right, to, from), MulDiv(client.bottom, to, from)};
    GetWindowRect(form.Handle(), &bounds);
    RECT suggested = {bounds.left, bounds.top, bounds.right + scaled.cx - client.right,
                      bounds.bottom + scaled.cy - client.bottom};
    SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(form.Scale(120), MulDiv(120, to, 120));
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, scaled.cx);
    EXPECT_EQ(client.bottom, scaled.cy);
    const SIZE grown = {scaled.cx - form.Scale(300), scaled.cy - form.Scale(200)};
    const RECT list = ClientBounds(form, "List");
    EXPECT_EQ(list.left, form.Scale(10));
    EXPECT_EQ(list.right, form.Scale(290) + grown.cx);
    EXPECT_EQ(list.bottom, form.Scale(150) + grown.cy);
    const RECT button = ClientBounds(form, "Button");
    EXPECT_EQ(button.left, form.Scale(170) + grown.cx);
    EXPECT_EQ(button.top, form.Scale(160) + grown.cy);
    EXPECT_EQ(button.right - button.left, form.Scale(120));

    // Dragging the frame smaller stops at the description's size at the
    // new density.
    MINMAXINFO limits = {};
    SendMessageA(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    RECT smallest = {0, 0, form.Scale(300), form.Scale(200)};
    AdjustWindowRectForDpi(smallest, form.Handle(), to);
    EXPECT_EQ(limits.ptMinTrackSize.x, smallest.right - smallest.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, smallest.bottom - smallest.top);
}
