#include "App_ProgressDialog.h"

#include "TestDialogs.h"
#include "Tk_screen.h"

#include <gtest/gtest.h>

#include <functional>

// The run goes on while the window shows, and every way out of it that a
// user has stops the run: Cancel, Escape, Enter (Cancel is the default) and
// the close box. Over the window the pointer is the working one: the busy
// one would say that Cancel cannot be clicked.
TEST(AppProgressDialog, EveryWayOutStopsTheRun)
{
    TProgressDialog* dialog = GetProgressDialog();
    const HWND cancel = dialog->Control("Button1");
    const std::function<void(TDialogScript&)> ways[] = {
        [&](TDialogScript& script) { script.Click(cancel); },
        [](TDialogScript& script) { script.Press(VK_ESCAPE); },
        [](TDialogScript& script) { script.Press(VK_RETURN); },
        [&](TDialogScript& script) { script.Do([&] { PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0); }); },
    };
    const TBusyPointer busy;
    for (size_t way = 0; way < 4; ++way) {
        TDialogScript script;
        script.ExpectFocus(cancel);
        ways[way](script);
        int steps = 0;
        const DWORD start = GetTickCount();
        script.Run([&] {
            dialog->Show();
            SendMessageA(cancel, WM_SETCURSOR, reinterpret_cast<WPARAM>(cancel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_APPSTARTING));
            for (; !dialog->Cancelled(); ++steps) {
                dialog->Step(steps, 1000000, "C:\\Work\\a.txt");
                Sleep(1);
            }
            dialog->Finish();
        });
        EXPECT_GT(steps, 1) << "way " << way;
        // Long before the script's watchdog closes what is left open.
        EXPECT_LT(GetTickCount() - start, 5000u) << "way " << way;
        EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    }
}

TEST(AppProgressDialogDpi, IsLaidOutAnewOnAMonitorOfAnotherDensity)
{
    ExpectRescalesAsBuilt<TProgressDialog>();
}
