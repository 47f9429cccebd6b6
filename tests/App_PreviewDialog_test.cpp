#include "App_PreviewDialog.h"

#include "TestDialogs.h"
#include "TestSupport.h"
#include "Tk_controls.h"
#include "Tk_paths.h"

#include <gtest/gtest.h>

namespace {

// Two sources of one name and a third, into an output folder that holds
// the first name already.
struct AppPreviewDialog : testing::Test {
    TPreviewDialog* Dialog = GetPreviewDialog();
    HWND Combo = Dialog->Control("ComboBox1");
    HWND Move = Dialog->Control("CheckBox1");
    HWND Edit = Dialog->Control("Edit1");
    HWND List = Dialog->Control("ListView1");
    HWND Summary = Dialog->Control("Label5");
    TTempDir Sources;
    TTempDir Output;
    TDoubleExecutor Rules;

    AppPreviewDialog()
    {
        Rules.OutputDirectory = Output.Path();
        Rules.SerialNumberPrefix = " (";
        Rules.SerialNumberSuffix = ")";
        MakeDirectory(Sources / "a");
        for (const char* name : {"a\\report.txt", "report.txt", "notes.txt"})
            WriteFileText(Sources / name, "x");
        MakeDirectory(Output / "report");
        Dialog->Rules = &Rules;
        Dialog->Sources = {Sources / "a\\report.txt", Sources / "notes.txt", Sources / "report.txt"};
        Dialog->AtSource = false;
        Dialog->GroupSources = gsEachSource;
        Dialog->MoveSources = false;
        Dialog->Name = "notes";
    }

    std::string Cell(int row, int column) const
    {
        std::vector<wchar_t> text(1024);
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        SendMessageW(List, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return Narrow(text.data());
    }

    // Each row as its directory's name and its note.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        const int count = static_cast<int>(SendMessageW(List, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row)
            rows.push_back(ExtractFileName(Cell(row, 1)) + " | " + Cell(row, 2));
        return rows;
    }

    void Choose(int grouping) const
    {
        SendMessageA(Combo, CB_SETCURSEL, grouping, 0);
        SendMessageA(Dialog->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Combo));
    }
};

}

TEST_F(AppPreviewDialog, EachChoiceShowsItsPlanAtOnceAndOkTakesIt)
{
    const std::string numbered = "Numbered: the name is taken.";
    const std::string shared = "Shares the directory of a source above.";
    TDialogScript script;
    script.ExpectFocus(List).Do([&] {
        EXPECT_EQ(WindowText(Dialog->Handle()), "Tesselo");
        EXPECT_EQ(WindowText(Dialog->Control("Label2")), Output.Path());
        EXPECT_EQ(Rows(), (std::vector<std::string>{"report (2) | " + numbered, "notes | ", "report (3) | " + numbered}));
        EXPECT_EQ(Cell(1, 0), Sources / "notes.txt");
        EXPECT_EQ(WindowText(Summary), "3 sources: 3 new directories.");
        EXPECT_FALSE(IsEnabled(Edit));
        Choose(gsEachName);
        EXPECT_EQ(Rows(), (std::vector<std::string>{"report (2) | " + numbered, "notes | ", "report (2) | " + shared}));
        SendMessageA(Move, BM_CLICK, 0, 0);
        EXPECT_EQ(Rows()[2], " | The directory already holds something of that name.");
        EXPECT_EQ(WindowText(Summary), "3 sources: 2 new directories, 2 moves, 1 fails.");
        Choose(gsAllSources);
        EXPECT_TRUE(IsEnabled(Edit));
        EXPECT_EQ(Rows()[0], "notes | ");
    });
    // The name as typed, trimmed; the list follows it.
    script.Alt('n').ExpectFocus(Edit).Replace(" Taxes ").Do([&] {
        EXPECT_EQ(Rows(), (std::vector<std::string>{"Taxes | ", "Taxes | " + shared, " | "
                                                        "The directory already holds something of that name."}));
    });
    EXPECT_TRUE(script.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->GroupSources, gsAllSources);
    EXPECT_TRUE(Dialog->MoveSources);
    EXPECT_EQ(Dialog->Name, "Taxes");
    EXPECT_EQ(Dialog->Plan().Sources()[0].Directory, Output / "Taxes");
}

TEST_F(AppPreviewDialog, TheNameIsRefusedAsTheNameDialogRefusesItAndCancelTakesNothing)
{
    Dialog->GroupSources = gsAllSources;
    const struct {
        const char* Typed;
        const char* Message;
    } cases[] = {{"  ", "Type a name."},
                 {"a|b", "Remove invalid characters."},
                 {"con", "Type a name that Windows keeps as it is: no dot at its end, and no device name such as CON."}};
    for (const auto& c : cases) {
        TDialogScript script;
        script.Alt('n').Replace(c.Typed).Do([&] { EXPECT_EQ(WindowText(Summary), c.Message); });
        script.Press(VK_RETURN).ExpectError(c.Message).ExpectFocus(Edit);
        EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(*Dialog)) << c.Typed;
        EXPECT_EQ(Dialog->Name, "notes");
        EXPECT_EQ(Dialog->GroupSources, gsAllSources);
    }
}

TEST_F(AppPreviewDialog, CtrlACtrlCCopiesTheRowsAsTabbedLines)
{
    SetClipboardText(nullptr, "before");
    TDialogScript script;
    script.Press('A', VK_CONTROL).Press('C', VK_CONTROL).Do([&] {
        const std::string text = Sources / "a\\report.txt" + "\t" + Output / "report (2)" +
            "\tNumbered: the name is taken.\r\n" + Sources / "notes.txt" + "\t" + Output / "notes" + "\t\r\n" +
            Sources / "report.txt" + "\t" + Output / "report (3)" + "\tNumbered: the name is taken.\r\n";
        EXPECT_EQ(Narrow(ClipboardData<wchar_t>(CF_UNICODETEXT).c_str()), text);
    });
    EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(*Dialog));
}

TEST_F(AppPreviewDialog, TenThousandRowsOpenAtOnceAndAChoiceKeepsTheScroll)
{
    Dialog->Sources.clear();
    for (int i = 0; i < 10000; ++i)
        Dialog->Sources.push_back(Sources / ("f" + std::to_string(10000 + i) + ".txt"));
    const DWORD start = GetTickCount();
    TDialogScript script;
    script.Do([&] {
        EXPECT_LT(GetTickCount() - start, 3000u);
        EXPECT_EQ(SendMessageW(List, LVM_GETITEMCOUNT, 0, 0), 10000);
        EXPECT_EQ(WindowText(Summary), "10,000 sources: 10,000 new directories.");
        SendMessageW(List, LVM_ENSUREVISIBLE, 6000, FALSE);
    });
    LRESULT top = 0;
    script.Do([&] {
        top = SendMessageW(List, LVM_GETTOPINDEX, 0, 0);
        EXPECT_GT(top, 5000);
        SendMessageA(Move, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageW(List, LVM_GETTOPINDEX, 0, 0), top);
        EXPECT_EQ(Cell(9999, 1), Output / "f19999.txt");
    });
    EXPECT_TRUE(script.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_TRUE(Dialog->MoveSources);
}

TEST(AppPreviewDialogDpi, IsLaidOutAnewOnAMonitorOfAnotherDensity)
{
    ExpectRescalesAsBuilt<TPreviewDialog>();
}
