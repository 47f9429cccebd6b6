#include "Kro_shellfiles.h"

#include "TestDialogs.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>

namespace {

// A visible window of the program that the browser must disable meanwhile.
struct TOtherWindow {
    HWND Handle = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    ~TOtherWindow() { DestroyWindow(Handle); }
};

}

TEST(BrowseForFolder, CancellingLeavesAMissingStartFolderEmpty)
{
    TTempDir dir;
    std::string directory = dir / "missing";
    bool chosen = true;
    TDialogScript script;
    script.WaitFor([] { return FolderBrowser() != nullptr; }).Do([] {
        EXPECT_EQ(WindowText(FindWindowExA(FolderBrowser(), nullptr, "Static", "Choose the output directory.")),
                  "Choose the output directory.");
        // No window of the program is active: the browser opens in the
        // middle of the work area.
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const POINT center = CenterOf(FolderBrowser());
        EXPECT_LE(std::abs(center.x - (work.left + work.right) / 2), 1);
        EXPECT_LE(std::abs(center.y - (work.top + work.bottom) / 2), 1);
        PostMessageA(FolderBrowser(), WM_COMMAND, IDCANCEL, 0);
    });
    script.Run([&] { chosen = BrowseForFolder("Choose the output directory.", directory); });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(directory, "");
}

TEST(BrowseForFolder, ConfirmingGivesThePreselectedFolder)
{
    const TBrowsableFolder start;
    TOtherWindow other;
    const UINT errorMode = SetErrorMode(0);
    std::string directory = start.Path;
    bool chosen = false;
    TDialogScript script;
    script.WaitFor([&] { return FolderBrowserSelection() == start.Name(); }).Do([&] {
        EXPECT_FALSE(IsWindowEnabled(other.Handle));
        EXPECT_EQ(GetErrorMode(), static_cast<UINT>(SEM_FAILCRITICALERRORS));
        EXPECT_TRUE(GetWindowLongA(FolderBrowser(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
        // S_FALSE: the browser set COM up on this thread, in its apartment.
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
        CoUninitialize();
        EXPECT_TRUE(SendMessageA(FolderBrowser(), WM_GETICON, ICON_BIG, 0));
        PostMessageA(FolderBrowser(), WM_COMMAND, IDOK, 0);
    });
    script.Run([&] { chosen = BrowseForFolder("Choose the output directory.", directory); });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(directory, start.Path);
    EXPECT_TRUE(IsWindowEnabled(other.Handle));
    EXPECT_EQ(GetErrorMode(), 0u);
    SetErrorMode(errorMode);
}
