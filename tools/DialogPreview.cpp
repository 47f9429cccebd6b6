// Shows one of the program's dialogs with sample content and writes its
// window rectangle to a file, so that a script can take a screenshot of it.
// Under code page 932 the sample paths and names are Japanese.
// Usage: dialog_preview menu|menu-undo|options|name|errors|progress|
// preview-each|preview-name|preview-all|preview-fail RECTFILE; menu-undo is
// the menu with a run to undo, the previews show a run of each grouping, and
// one with failures, of sample files that they make in the prefix. A name
// ending in -changed shows the dialog as Windows leaves it after moving it
// to a monitor of 144 dots per inch.
// Built twice: dialog_preview_utf8 runs in UTF-8 and lists names from several
// scripts.
#include "App_ErrorDialog.h"
#include "App_MenuDialog.h"
#include "App_NameDialog.h"
#include "App_OptionsDialog.h"
#include "App_PreviewDialog.h"
#include "App_ProgressDialog.h"
#include "Tk_application.h"
#include "Tk_files.h"
#include "Tk_paths.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string RectFile;
HWND Shown = nullptr;
bool ChangeDpi = false;

// Once the dialog is up: move it to 144 dots per inch if asked, report where
// it is, then close it a little later.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    static int ticks = 0;
    if (++ticks == 1 && Shown && ChangeDpi) {
        // The rectangle Windows suggests: half as large again, about the
        // same centre, so that it stays on the screen.
        RECT suggested;
        GetWindowRect(Shown, &suggested);
        const LONG width = (suggested.right - suggested.left) / 2;
        const LONG height = (suggested.bottom - suggested.top) / 2;
        InflateRect(&suggested, width / 2, height / 2);
        suggested.right = suggested.left + 3 * width;
        suggested.bottom = suggested.top + 3 * height;
        SendMessageA(Shown, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    } else if (ticks == 2 && Shown) {
        RECT bounds;
        GetWindowRect(Shown, &bounds);
        if (FILE* file = std::fopen(RectFile.c_str(), "w")) {
            std::fprintf(file, "%ld %ld %ld %ld\n", bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top);
            std::fclose(file);
        }
    } else if (ticks == 5) {
        KillTimer(nullptr, timer);
        PostMessageA(Shown, WM_CLOSE, 0, 0);
    }
}

// Makes the sample sources of a preview and an output folder that holds
// one of their names already, and shows the preview of a run on them.
void ShowPreview(const std::string& dialog, bool japanese)
{
    // C:\Users\Ann\(pictures)\(holiday) and (sorted); (photo).jpg and .png,
    // (display).txt, whose characters' trail bytes are backslashes, and the
    // folder (family) with (portrait).jpg in it.
    const std::string folder = japanese ? "C:\\Users\\Ann\\\x83s\x83N\x83`\x83\x83\\\x8Bx\x89\xC9"
                                        : "C:\\Users\\Ann\\Pictures\\Holiday";
    const std::string output = japanese ? "C:\\Users\\Ann\\\x90\xAE\x97\x9D\x8D\xCF\x82\xDD" : "C:\\Users\\Ann\\Sorted";
    const std::string photo = japanese ? "\x8E\xCA\x90^" : "Beach";
    const std::string family = japanese ? "\x89\xC6\x91\xB0" : "Family";
    const std::vector<std::string> files = {
        photo + ".jpg", photo + ".png", japanese ? "\x95\\\x8E\xA6.txt" : "Lighthouse.txt",
        family + "\\" + (japanese ? "\x8F\xD1\x91\x9C.jpg" : "Portrait.jpg"),
    };
    for (const std::string& path : {std::string("C:\\Users\\Ann"), ExtractFileDir(folder), folder, output,
                                     folder + "\\" + family, output + "\\" + photo})
        CreateDirectoryA(path.c_str(), nullptr);
    for (const std::string& file : files)
        CloseHandle(CreateFileA((folder + "\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    static TDoubleExecutor rules;
    rules.OutputDirectory = output;
    rules.SerialNumberPrefix = " (";
    rules.SerialNumberSuffix = ")";
    TPreviewDialog* preview = GetPreviewDialog();
    preview->Rules = &rules;
    preview->Sources = {folder + "\\" + files[0], folder + "\\" + files[1], folder + "\\" + family,
                        folder + "\\" + files[3], folder + "\\" + files[2]};
    preview->Name = japanese ? "\x8Bx\x89\xC9" : "Holiday";
    if (dialog == "preview-name") {
        preview->GroupSources = gsEachName;
        preview->MoveSources = true;
        preview->Sources.erase(preview->Sources.begin() + 3);
    } else if (dialog == "preview-all") {
        preview->GroupSources = gsAllSources;
    } else if (dialog == "preview-fail") {
        rules.MaxSerialNumber = 2;
        preview->MoveSources = true;
    } else {
        preview->Sources.erase(preview->Sources.begin() + 3);
    }
    Shown = preview->Handle();
    preview->Execute();
}

}

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    std::string dialog = argv[1];
    const std::string changed = "-changed";
    if (dialog.size() > changed.size() && dialog.compare(dialog.size() - changed.size(), changed.size(), changed) == 0) {
        ChangeDpi = true;
        dialog.resize(dialog.size() - changed.size());
    }
    RectFile = argv[2];
    Application.Title = "Tesselo";
    Application.Initialize();
    SetTimer(nullptr, 0, 1000, Tick);
    const bool japanese = GetACP() == 932;
    if (dialog == "menu" || dialog == "menu-undo") {
        Shown = GetMenuDialog()->Handle();
        GetMenuDialog()->UndoAvailable = dialog == "menu-undo";
        GetMenuDialog()->Execute();
    } else if (dialog == "options") {
        TOptionsDialog* options = GetOptionsDialog();
        Shown = options->Handle();
        if (japanese) {
            options->Options.OutputDirectory = odOther;
            // D:\(archive)\(new folder), and the prefix "(photo) ".
            options->Options.OtherOutputDirectory = "D:\\\x83""A\x81[\x83J\x83""C\x83u\\\x90V\x82\xB5\x82\xA2\x83t\x83H\x83\x8B\x83_\x81[";
            options->Options.OriginalNamePrefix = "\x8E\xCA\x90^ ";
        }
        options->Execute();
    } else if (dialog == "name") {
        TNameDialog* name = GetNameDialog();
        Shown = name->Handle();
        // (photo) (holiday), with the prefix of the options above.
        name->Name = japanese ? "\x8E\xCA\x90^ \x8Bx\x89\xC9" : "Holiday";
        name->Execute();
    } else if (dialog == "errors") {
        TErrorDialog* errors = GetErrorDialog();
        Shown = errors->Handle();
        if (GetACP() == CP_UTF8) {
            // Names from several scripts, as the program shows them in UTF-8:
            // Greek, Cyrillic, Polish and German.
            errors->GetFiles() = {
                "C:\\Users\\Ann\\\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1\\\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1 2026.jpg",
                "C:\\Users\\Ann\\\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0\\\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82.pdf",
                "C:\\Users\\Ann\\\xC5\x81\xC3\xB3" "d\xC5\xBA\\\xC5\xBB\xC3\xB3\xC5\x82w.png",
                "D:\\Archive\\Caf\xC3\xA9 M\xC3\xBCller\\Stra\xC3\x9F" "e.txt",
            };
        } else if (japanese) {
            // The same paths as below in Japanese; the last one holds characters
            // whose trail byte is a backslash.
            errors->GetFiles() = {
                "C:\\Users\\Ann\\\x83h\x83L\x83\x85\x83\x81\x83\x93\x83g\\\x8El\x94\xBC\x8A\xFA\x95\xF1\x8D\x90 2026.docx",
                "C:\\Users\\Ann\\\x83s\x83N\x83`\x83\x83\\\x8Bx\x89\xC9\\\x93\x94\x91\xE4\x82\xCC\x91O\x82\xC5\x89\xC6"
                "\x91\xB0\x91S\x88\xF5\x82\xC6\x8C\xA9\x82\xBD\x97[\x93\xFA.jpg",
                "D:\\\x83""A\x81[\x83J\x83""C\x83u\\\x83v\x83\x8D\x83W\x83""F\x83N\x83g\\\x95\\\x8E\xA6\x83\\\x83t\x83g",
            };
        } else {
            errors->GetFiles() = {
                "C:\\Users\\Ann\\Documents\\Quarterly report 2026.docx",
                "C:\\Users\\Ann\\Pictures\\Holiday\\Beach at sunset with the whole family in front of the lighthouse.jpg",
                "D:\\Archive\\Projects\\Tesselo",
            };
        }
        // The reason of the first path shows when the dialog opens.
        errors->Reasons = {"The name is taken up to the last serial number.", SystemErrorText(ERROR_ACCESS_DENIED),
                           "The name is taken.", "The name is taken."};
        errors->Execute();
    } else if (dialog == "progress") {
        TProgressDialog* progress = GetProgressDialog();
        Shown = progress->Handle();
        // C:\Users\Ann\(pictures)\(holiday)\(the sunset seen with the whole
        // family in front of the lighthouse).jpg in Japanese.
        const std::string source = japanese
            ? "C:\\Users\\Ann\\\x83s\x83N\x83`\x83\x83\\\x8Bx\x89\xC9\\\x93\x94\x91\xE4\x82\xCC\x91O\x82\xC5\x89\xC6"
              "\x91\xB0\x91S\x88\xF5\x82\xC6\x8C\xA9\x82\xBD\x97[\x93\xFA.jpg"
            : "C:\\Users\\Ann\\Pictures\\Holiday\\Beach at sunset with the whole family in front of the lighthouse.jpg";
        progress->Show();
        progress->Step(1233, 10000, source);
        while (!progress->Cancelled()) {
            WaitMessage();
            progress->ProcessMessages();
        }
        progress->Finish();
    } else if (dialog.compare(0, 8, "preview-") == 0) {
        ShowPreview(dialog, japanese);
    } else {
        return 2;
    }
    return 0;
}
