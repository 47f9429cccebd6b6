// Runs Tesselo.exe as a separate process, as a user would: it watches the
// program's windows, describes each one as it comes to the front, answers it,
// and reports what it saw, what was left on the clipboard and how the program
// ended. A program that does not end in time is killed and fails the test.
#pragma once

#include "TestSupport.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One window of the program as the user met it.
struct TWindowSeen {
    std::string Kind;    // "box", "browser", or the dialog's caption
    std::string Caption;
    std::string Text;    // a message box's text, or the failed-entries dialog's reason line
    std::string Icon;    // a message box's icon: "shown" or "none"
    bool OkOnly = false; // a message box with a single OK button
    // In Unicode, which a program in another code page than ours can need.
    std::vector<std::wstring> WideLines;  // the failed-entries dialog's list
    std::wstring WideClipboard;           // after a copy: the clipboard's text
    std::string PlainClipboard;           // and its plain text, as a program without Unicode reads it
    std::vector<std::wstring> WideFields; // the texts of the edit fields
    // The preview's list, a row of its cells each.
    std::vector<std::vector<std::wstring>> WideRows;
    // The texts of its labels and buttons, and whether it has a progress bar.
    std::vector<std::string> Labels;
    std::vector<std::string> Buttons;
    bool ProgressBar = false;
};

// Acts on the window in front; may fill in what it found.
using TAnswer = std::function<void(HWND window, TWindowSeen& seen)>;

struct TProgramRun {
    bool Ended = false;
    DWORD ExitCode = 0;
    std::vector<TWindowSeen> Seen;
};

// The built program's path: Tesselo.exe, or with TESSELO_PROGRAM=ansi the
// same program without UTF-8 as its code page.
std::string TesseloExe();
bool IsAnsiProgram();

// A copy of the built program in a scratch folder of its own, whose name has
// blanks and, under code page 932, characters whose trail byte is '\'; beside
// it empty folders for the sources and the output. All of it goes with the
// object.
struct TProgramCopy {
    TProgramCopy();
    TTempDir Root;
    const std::string Folder;
    const std::string Exe = Folder + "\\Tesselo.exe";
    const std::string SettingsFile = Folder + "\\Settings.ini";
    const std::string Src = Root / "sources";
    const std::string Out = Root / "out";
    // Settings.ini's options that send the output to Out.
    const std::string ToOut = "[Options]\r\nOutputDirectory=3\r\nOtherOutputDirectory=\"" + Out + "\"\r\n";
};

// Starts the program in directory with the text after its name on the
// command line, answers its windows in order, and waits for it to end.
TProgramRun RunProgram(const std::string& exe, const std::wstring& arguments, const std::vector<TAnswer>& answers,
                       const std::string& directory);

// Answers the windows of a running program in order and waits for it to end.
TProgramRun WatchProgram(HANDLE process, DWORD processId, const std::vector<TAnswer>& answers);

// Drops the paths, which share one folder, on exe as Explorer does, and
// answers the windows of the server it started: the class of Send To, or
// that of another of the menu's commands.
TProgramRun DropOnProgram(const std::string& exe, const std::vector<std::wstring>& paths,
                          const std::vector<TAnswer>& answers, const wchar_t* classId = nullptr,
                          std::function<void()> onReleased = nullptr);

// Answers. Press: posts the command (IDOK, IDCANCEL) to the window.
TAnswer Press(int command);
// The command menu: checks the command's radio button, then "Execute".
TAnswer ChooseCommand(int command);
// The options dialog: replaces the text of its n-th edit field, then OK.
TAnswer EditOption(int field, const std::wstring& text);
// The failed-entries dialog: Ctrl+A and Ctrl+C as typed, then closes it.
TAnswer CopyAll();
// The preview: chooses the grouping, sets the move check box and types the
// name of one directory for all, as the user would, reads the rows it then
// shows, and presses OK.
TAnswer ChoosePreview(int grouping, bool move, const std::wstring& name);
// Types keys (virtual keys) into the window in front, then presses OK.
TAnswer TypeKeysThenOk(const std::vector<WORD>& keys);
// Leaves the window be: the progress window of a long run goes by itself.
TAnswer Watch();

// Windows path of a file under the Linux root, as Wine maps it.
std::string WindowsPathOf(const std::string& unixPath);
// The names in a directory, sorted; "." and ".." left out.
std::vector<std::string> DirectoryNames(const std::string& directory);
std::vector<std::wstring> WideDirectoryNames(const std::wstring& directory);
