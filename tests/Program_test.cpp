// Tesselo.exe end to end: each case starts the real program in a program
// folder whose path has blanks and, under code page 932, characters whose
// trail byte is a backslash; it answers the windows as a user would and
// checks what was shown, what was made and what Settings.ini holds.
#include "ExplorerDrop.h"
#include "ProgramDriver.h"
#include "TestSupport.h"
#include "Tk_format.h"
#include "Tk_params.h"
#include "Tk_paths.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <set>
#include <cstdlib>

namespace {

// A character that catches byte-wise walks: 0x95 0x5C under code page 932.
std::string DoubleByte()
{
    return IsDoubleByteCodePage() ? TrailBackslash : "\xE9";
}

// For the length of a test, .html documents open in the recorder, which
// writes its command line to the file record.
class THtmlViewer {
public:
    THtmlViewer(const std::string& recorder, const std::string& record)
    {
        SetEnvironmentVariableA("TESSELO_OPENED", record.c_str());
        char previous[256] = {};
        LONG size = sizeof previous;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, Extension, previous, &size) == ERROR_SUCCESS)
            FPrevious = previous;
        const std::string command = "\"" + recorder + "\" \"%1\"";
        RegSetValueA(HKEY_CLASSES_ROOT, Extension, REG_SZ, ProgId, 0);
        RegSetValueA(HKEY_CLASSES_ROOT, "TesseloTest.Html\\shell\\open\\command", REG_SZ, command.c_str(), 0);
    }
    ~THtmlViewer()
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ProgId);
        RegSetValueA(HKEY_CLASSES_ROOT, Extension, REG_SZ, FPrevious.c_str(), 0);
        SetEnvironmentVariableA("TESSELO_OPENED", nullptr);
    }
    THtmlViewer(const THtmlViewer&) = delete;
    THtmlViewer& operator=(const THtmlViewer&) = delete;

private:
    static constexpr const char* Extension = ".html";
    static constexpr const char* ProgId = "TesseloTest.Html";
    std::string FPrevious;
};

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// What a case expects to see, one line per window.
std::string Render(const TWindowSeen& seen)
{
    if (seen.Kind == "box") {
        if (seen.Caption == "Tesselo" && seen.Icon == "shown" && seen.OkOnly)
            return "error: " + seen.Text;
        return "box " + seen.Caption + " icon=" + seen.Icon + (seen.OkOnly ? " ok: " : " buttons: ") + seen.Text;
    }
    if (seen.Kind == "Create Directories") {
        std::string text = "failed:";
        std::wstring all;
        for (const std::wstring& line : seen.WideLines) {
            text += " " + Narrow(line);
            all += line + L"\r\n";
        }
        text += " | " + seen.Text;
        const std::wstring& copied = seen.WideClipboard;
        return copied.empty() ? text : text + (copied == all ? " (copied)" : " copied: " + Narrow(copied));
    }
    if (seen.Kind == "preview")
        return "preview: " + seen.Text;
    // The name dialog, with the name it offered.
    if (seen.Kind == "Tesselo" && seen.WideFields.size() == 1)
        return "name: " + Narrow(seen.WideFields[0]);
    return seen.Kind;
}

struct TCase {
    const char* Name;
    std::vector<std::string> Options; // lines of [Options] after the output directory
    std::vector<std::string> Sources; // made under {src}: a file, or a directory when it ends in '\'
    std::vector<std::string> Taken;   // made under {out} before the run
    std::string Arguments;
    std::vector<TAnswer> Answers;
    std::vector<std::string> Windows; // as rendered; "error: …*" matches by its start
    std::vector<std::string> Out;     // what {out} holds afterwards
    bool Saved;                       // Settings.ini rewritten
    std::vector<std::string> SavedLines;
    std::string CurrentDirectory = "{src}";
    std::string Encoding = ""; // how Settings.ini is saved; the test's code page by default
    std::string OutFolder = "{out}"; // where Taken is made and Out is read
    bool Drop = false;               // the arguments dropped on the program by Explorer
    bool Previewed = false;          // with the preview, its rows checked against what was made
};

// The case with its arguments dropped on the program by Explorer instead.
TCase Dropped(const char* name, TCase c)
{
    c.Name = name;
    c.Drop = true;
    return c;
}

// The same run with the preview shown first, after the folder browser, and
// its OK pressed; the preview's rows must be what the run made.
TCase Previewed(const char* name, TCase c)
{
    c.Name = name;
    c.Previewed = true;
    c.Options.push_back("ShowPreview=1");
    const size_t at = !c.Windows.empty() && c.Windows[0] == "browser" ? 1 : 0;
    c.Answers.insert(c.Answers.begin() + static_cast<std::ptrdiff_t>(at), Press(IDOK));
    c.Windows.insert(c.Windows.begin() + static_cast<std::ptrdiff_t>(at), "preview: *");
    return c;
}

// The settings text saved as Notepad would: "utf-16le", "utf-16be" and
// "utf-8-bom" with a byte-order mark, "utf-8" without, and "nul" as bytes
// that are no text at all.
std::string Encode(const std::string& text, const std::string& encoding)
{
    if (encoding.empty())
        return text;
    if (encoding == "nul")
        return text + '\0';
    const std::wstring wide = Wide(text);
    if (encoding == "utf-8")
        return Narrow(wide, CP_UTF8);
    if (encoding == "utf-8-bom")
        return "\xEF\xBB\xBF" + Narrow(wide, CP_UTF8);
    const bool big = encoding == "utf-16be";
    std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : wide)
        bytes += big ? std::string{char(c >> 8), char(c)} : std::string{char(c), char(c >> 8)};
    return bytes;
}

class ProgramTest : public testing::Test, protected TProgramCopy {
protected:
    // {deep:N} is a chain of folder names N characters long, {len:N} the
    // name that makes {src}\name N characters long; every name begins with
    // the awkward character of the code page.
    std::string Expand(const std::string& text) const
    {
        std::string expanded = Replace(Replace(text, "{src}", Src), "{out}", Out);
        expanded = Replace(Replace(expanded, "{prog}", Folder), "{tb}", DoubleByte());
        for (const std::string kind : {"{deep:", "{len:"}) {
            for (size_t at = expanded.find(kind); at != std::string::npos; at = expanded.find(kind, at)) {
                const size_t end = expanded.find('}', at);
                const size_t length = std::stoul(expanded.substr(at + kind.size(), end - at - kind.size()));
                const std::string names = kind == "{deep:"
                    ? FolderChain(length)
                    : DoubleByte() + std::string(length - Wide(Src).size() - 2, 'x');
                expanded.replace(at, end + 1 - at, names);
            }
        }
        return expanded;
    }

    // Names of 50 characters, the last one shorter.
    static std::string FolderChain(size_t length)
    {
        std::string chain;
        for (size_t at = 0; at < length; at += 51)
            chain += (at ? "\\" : "") + DoubleByte() + std::string(std::min<size_t>(50, length - at) - 1, 'x');
        return chain;
    }

    // Makes the folders on the way to path that are missing, and path
    // itself when it ends in '\'.
    static void MakeFolders(const std::string& path)
    {
        const std::wstring wide = Wide(path);
        for (size_t at = wide.find(L'\\', 3); at != std::wstring::npos; at = wide.find(L'\\', at + 1))
            CreateDirectoryW((L"\\\\?\\" + wide.substr(0, at)).c_str(), nullptr);
    }

    // The output goes to {out} unless the case says otherwise.
    std::string SettingsText(const TCase& c) const
    {
        std::string text = "[System]\r\nCurrentDirectory=\"" + Expand(c.CurrentDirectory) + "\"\r\n\r\n[Options]\r\n";
        std::vector<std::string> options = c.Options;
        if (options.empty() || options[0].rfind("OutputDirectory=", 0) != 0)
            options.insert(options.begin(), "OutputDirectory=3");
        options.insert(options.begin() + 1, "OtherOutputDirectory=\"{out}\"");
        for (const std::string& line : options)
            text += Expand(line) + "\r\n";
        return text;
    }

    // A check that Out holds no more than it held before.
    std::function<void()> ExpectNoneMade(const std::vector<std::string>& before) const
    {
        return [this, before] { EXPECT_EQ(DirectoryNames(Out), before) << "made before Explorer let go"; };
    }

    // Runs the program on arguments, or drops them on it as Explorer would
    // (then they must share one folder), and checks the windows it showed.
    TProgramRun Run(const std::string& arguments, const std::vector<TAnswer>& answers,
                    const std::vector<std::string>& windows, bool drop = false)
    {
        std::vector<std::wstring> paths;
        for (const std::string& path : SplitCommandLine(Expand(arguments).c_str()))
            paths.push_back(Wide(path));
        // Explorer never waits on the run: it has let the target go before
        // the first directory is made.
        const std::vector<std::string> before = DirectoryNames(Out);
        const TProgramRun run = drop ? DropOnProgram(Exe, paths, answers, nullptr, ExpectNoneMade(before))
                                     : RunProgram(Exe, Wide(Expand(arguments)), answers, Src);
        EXPECT_TRUE(run.Ended);
        EXPECT_EQ(run.ExitCode, 0u);
        EXPECT_EQ(run.Seen.size(), windows.size());
        if (run.Seen.size() != windows.size())
            return run;
        for (size_t i = 0; i < windows.size(); ++i) {
            const std::string want = Expand(windows[i]);
            const std::string seen = Render(run.Seen[i]);
            // A trailing '*' asks only for the start of the window's text.
            if (!want.empty() && want.back() == '*')
                EXPECT_EQ(seen.substr(0, want.size() - 1), want.substr(0, want.size() - 1));
            else
                EXPECT_EQ(seen, want);
        }
        return run;
    }

    // The preview's rows against what the run made: each row's new
    // directory is there, and nothing else is new in folder; a row with a
    // failure's reason is a source that the failed-entries dialog lists.
    void ExpectMadeAsPreviewed(const TProgramRun& run, const std::string& folder, const std::vector<std::string>& taken)
    {
        const auto preview = std::find_if(run.Seen.begin(), run.Seen.end(),
                                          [](const TWindowSeen& seen) { return seen.Kind == "preview"; });
        ASSERT_NE(preview, run.Seen.end());
        ASSERT_FALSE(preview->WideRows.empty());
        std::set<std::wstring> made;
        std::vector<std::wstring> failed;
        for (const std::vector<std::wstring>& row : preview->WideRows) {
            ASSERT_EQ(row.size(), 3u);
            if (!row[1].empty())
                made.insert(row[1]);
            else
                failed.push_back(row[0]);
        }
        for (const std::string& name : taken)
            made.insert(Wide(folder + "\\" + name));
        std::set<std::wstring> found;
        for (const std::wstring& name : WideDirectoryNames(Wide(folder)))
            found.insert(Wide(folder) + L"\\" + name);
        EXPECT_EQ(found, made);
        const auto dialog = std::find_if(run.Seen.begin(), run.Seen.end(),
                                         [](const TWindowSeen& seen) { return seen.Kind == "Create Directories"; });
        EXPECT_EQ(failed, dialog == run.Seen.end() ? std::vector<std::wstring>() : dialog->WideLines);
    }
};

class Program : public ProgramTest, public testing::WithParamInterface<TCase> {};

TEST_P(Program, RunsAsTheUserExpects)
{
    const TCase& c = GetParam();
    for (const std::string& source : c.Sources) {
        MakeFolders(Expand("{src}\\" + source));
        if (source.back() != '\\')
            WriteFileText(Expand("{src}\\" + source), "x");
    }
    for (const std::string& name : c.Taken)
        MakeFolders(Expand(c.OutFolder + "\\" + name + "\\"));
    const std::string before = Encode(SettingsText(c), c.Encoding);
    WriteFileText(SettingsFile, before);

    const TProgramRun run = Run(c.Arguments, c.Answers, c.Windows, c.Drop);
    if (c.Previewed)
        ExpectMadeAsPreviewed(run, Expand(c.OutFolder), c.Taken);
    std::vector<std::string> out = c.Out;
    for (std::string& name : out)
        name = Expand(name);
    EXPECT_EQ(DirectoryNames(Expand(c.OutFolder)), out);
    const std::string after = ReadFileText(SettingsFile);
    if (!c.Saved)
        EXPECT_EQ(after, before);
    else
        EXPECT_NE(after.find("SortEntries="), std::string::npos) << after;
    // Read as the program wrote it: in UTF-8 where it runs in UTF-8.
    const std::string saved = IsAnsiProgram() ? after : Narrow(Wide(after, CP_UTF8));
    for (const std::string& line : c.SavedLines)
        EXPECT_NE(saved.find(Expand(line) + "\r\n"), std::string::npos) << line << " in\n" << saved;
}

const std::string AboutBox = "box About icon=none ok: Tesselo Version 2.2.0\r\n\r\n"
                             "Copyright (C) 2026 The Tesselo developers. All rights reserved.";

// Settings.ini in an encoding that Notepad saves: the prefix reads as typed,
// and the output folder too, or the run would go to the desktop.
TCase Encoded(const char* name, const char* encoding)
{
    return {name, {"OriginalNamePrefix=\"{tb}-\""}, {"a.txt"}, {}, "{src}\\a.txt", {}, {}, {"{tb}-a"}, true, {}, "{src}",
            encoding};
}

// A setting's value that stops the run before it makes anything, with names
// taken that the value would be used for.
TCase Refused(const char* name, const std::string& key, const std::string& value, const std::string& why,
              const std::vector<std::string>& taken = {})
{
    return {name, {key + "=\"" + value + "\""}, {"a.txt"}, taken, "{src}\\a.txt", {Press(IDOK)},
            {"error: The program cannot use the setting \"" + key + "\" because its value \"" + value + "\" " + why},
            taken, false, {}};
}

const TCase TypicalDrop = {"TypicalDrop", {}, {"report.txt", "Photos\\", "archive.tar.gz", "my.dir\\", " padded .txt"}, {"report"},
              "\"{src}\\report.txt\" \"{src}\\Photos\" \"{src}\\archive.tar.gz\" \"{src}\\my.dir\" \"{src}\\ padded .txt\"",
              {}, {}, {"Photos", "archive.tar", "my.dir", "padded", "report", "report (2)"}, true,
              {"CurrentDirectory=\"{src}\""}};
const TCase DoubleByteNames = {"DoubleByteNames", {"OriginalNamePrefix=\"{tb}\""}, {"{tb}\\", "{tb}.{tb}"}, {},
              "{src}\\{tb} {src}\\{tb}.{tb}", {}, {}, {"{tb}{tb}", "{tb}{tb} (2)"}, true, {}};
const TCase TheSecondAndFourthFail = {"TheSecondAndFourthFail", {"AvoidNameCollision=0"}, {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"},
              {"b", "d"}, "\"{src}\\e.txt\" \"{src}\\d.txt\" \"{src}\\c.txt\" \"{src}\\b.txt\" \"{src}\\a.txt\"", {CopyAll()},
              {"failed: {src}\\b.txt {src}\\d.txt | The name is taken. (copied)"}, {"a", "b", "c", "d", "e"}, true, {}};
const TCase UnsortedFailuresKeepTheArgumentOrder = {"UnsortedFailuresKeepTheArgumentOrder", {"AvoidNameCollision=0", "SortEntries=0"}, {"a.txt", "b.txt"},
              {"a", "b"}, "\"{src}\\b.txt\" \"{src}\\a.txt\"", {Press(IDOK)},
              {"failed: {src}\\b.txt {src}\\a.txt | The name is taken."}, {"a", "b"}, true, {}};

const TCase NumbersAtTheBeginning = {"NumbersAtTheBeginning", {"SerialNumberPrefix=\"[\"", "SerialNumberSuffix=\"] \"", "SerialNumberPosition=0",
               "OriginalNamePrefix=\"New \""}, {"a.txt"}, {"New a", "[2] New a"}, "\"{src}\\a.txt\"",
              {}, {}, {"New a", "[2] New a", "[3] New a"}, true, {}};
const TCase OneDirectoryForEachName = {"OneDirectoryForEachName", {"GroupSources=1"},
              {"Holiday.mkv", "Holiday.srt", "HOLIDAY.txt", "IMG_0042.CR2", "IMG_0042.xmp", "{tb}.mkv", "{tb}.srt"},
              {"IMG_0042"},
              "{src}\\Holiday.mkv {src}\\Holiday.srt {src}\\HOLIDAY.txt {src}\\IMG_0042.CR2 {src}\\IMG_0042.xmp "
              "{src}\\{tb}.mkv {src}\\{tb}.srt",
              {}, {}, {"Holiday", "IMG_0042", "IMG_0042 (2)", "{tb}"}, true, {"GroupSources=1"}};
const TCase AskStartsAtTheLastFolderAndKeepsTheChoice = {"AskStartsAtTheLastFolderAndKeepsTheChoice", {"OutputDirectory=2"}, {"a.txt", "b.txt"}, {"inner"},
              "\"{src}\\a.txt\" \"{src}\\b.txt\"", {TypeKeysThenOk({VK_TAB, VK_TAB, VK_LEFT})}, {"browser"}, {"a", "b", "inner"}, true,
              {"CurrentDirectory=\"{out}\""}, "{out}\\inner"};

INSTANTIATE_TEST_SUITE_P(
    Cases, Program,
    testing::Values(
        TypicalDrop,
        NumbersAtTheBeginning,
        DoubleByteNames,
        TCase{"ARelativeSecondArgumentMakesNothing", {}, {"a.txt"}, {}, "\"{src}\\a.txt\" a.txt", {Press(IDOK)},
              {"error: The program cannot accept the path \"a.txt\" because it is not in absolute form."}, {}, false, {}},
        TheSecondAndFourthFail,
        UnsortedFailuresKeepTheArgumentOrder,
        // The same runs with the sources dropped on the program by Explorer,
        // in the order of its data object.
        Dropped("TypicalDropFromExplorer", TypicalDrop), Dropped("DoubleByteNamesFromExplorer", DoubleByteNames),
        Dropped("FailuresFromExplorer", TheSecondAndFourthFail),
        Dropped("UnsortedFailuresFromExplorer", UnsortedFailuresKeepTheArgumentOrder),
        Dropped("ALongSourceFromExplorer", TCase{"", {}, {"{deep:320}\\report.txt"}, {}, "\"{src}\\{deep:320}\\report.txt\"",
                                                 {}, {}, {"report"}, true, {}}),
        // The same runs once more with the preview.
        Previewed("TypicalDropPreviewed", TypicalDrop), Previewed("DoubleByteNamesPreviewed", DoubleByteNames),
        Previewed("FailuresPreviewed", TheSecondAndFourthFail),
        Previewed("DroppedAndPreviewed", Dropped("", TypicalDrop)),
        Previewed("NumbersAtTheBeginningPreviewed", NumbersAtTheBeginning),
        Previewed("OneDirectoryForEachNamePreviewed", OneDirectoryForEachName),
        Previewed("AskPreviewed", AskStartsAtTheLastFolderAndKeepsTheChoice),
        TCase{"MinimumAboveMaximumStopsTheRun", {"MinSerialNumber=5", "MaxSerialNumber=2"}, {"a.txt", "b.txt"}, {},
              "\"{src}\\a.txt\" \"{src}\\b.txt\"", {Press(IDOK)},
              {"error: The minimum serial number is exceeding the maximum."}, {}, false, {}},
        TCase{"AnErrorMidwayKeepsWhatWasMade", {"SerialNumberPosition=5"}, {"a.txt", "b.txt"}, {"b"},
              "{src}\\a.txt {src}\\b.txt", {Press(IDOK)}, {"error: The program does not support the position."},
              {"a", "b"}, false, {}},
        TCase{"AnUnknownOutputDirectoryStopsTheRun", {"OutputDirectory=7"}, {"a.txt"}, {}, "{src}\\a.txt",
              {Press(IDOK)}, {"error: The program does not support the output directory."}, {}, false, {}},
        // Gathering: one directory for each name, or one for all sources.
        OneDirectoryForEachName,
        TCase{"AnUnknownGroupingStopsTheRunBeforeTheBrowser", {"OutputDirectory=2", "GroupSources=-1"}, {"a.txt"}, {},
              "{src}\\a.txt", {Press(IDOK)}, {"error: The program does not support the grouping."}, {}, false, {}},
        TCase{"OneDirectoryForAllTakesTheFirstName", {"GroupSources=2"}, {"b.txt", "a.txt"}, {"a"},
              "{src}\\b.txt {src}\\a.txt", {Press(IDOK)}, {"name: a"}, {"a", "a (2)"}, true, {}},
        TCase{"OneDirectoryForAllTakesATypedName", {"GroupSources=2", "OriginalNamePrefix=\"{tb} \""},
              {"a.txt", "b\\"}, {"Taxes 2024"}, "{src}\\a.txt {src}\\b", {EditOption(0, L" Taxes 2024 ")},
              {"name: {tb} a"}, {"Taxes 2024", "Taxes 2024 (2)"}, true, {}},
        TCase{"OneDirectoryForAllCancelledMakesNothing", {"GroupSources=2"}, {"a.txt"}, {}, "{src}\\a.txt",
              {Press(IDCANCEL)}, {"name: a"}, {}, true, {}},
        TCase{"AskCancelledMakesNothing", {"OutputDirectory=2"}, {"a.txt"}, {}, "{src}\\a.txt", {Press(IDCANCEL)},
              {"browser"}, {}, true, {}},
        AskStartsAtTheLastFolderAndKeepsTheChoice,
        TCase{"MenuCancelled", {}, {}, {}, "", {Press(IDCANCEL)}, {"Tesselo"}, {}, true, {"CurrentDirectory=\"{src}\""}},
        TCase{"OptionsConfirmed", {"OriginalNamePrefix=\"Old\""}, {}, {}, "", {ChooseCommand(0), EditOption(1, L"New ")},
              {"Tesselo", "Options"}, {}, true, {"OriginalNamePrefix=\"New \""}},
        TCase{"OptionsCancelled", {"OriginalNamePrefix=\"Old\""}, {}, {}, "",
              {ChooseCommand(0), Press(IDCANCEL)}, {"Tesselo", "Options"}, {}, true, {"OriginalNamePrefix=\"Old\""}},
        TCase{"About", {}, {}, {}, "", {ChooseCommand(2), Press(IDOK)}, {"Tesselo", AboutBox}, {}, true, {}},
        TCase{"MissingHelp", {}, {}, {}, "", {ChooseCommand(1), Press(IDOK)},
              {"Tesselo", "error: The program could not open the help."}, {}, false, {}},
        TCase{"AnUnquotedTextValue", {"OriginalNamePrefix=abc"}, {"a.txt"}, {}, "{src}\\a.txt", {Press(IDOK)},
              {"error: The program cannot dequote the string."}, {}, false, {}},
        TCase{"AnUnquotedTextValueWithoutArguments", {"OriginalNamePrefix=abc"}, {}, {}, "", {Press(IDOK)},
              {"error: The program cannot dequote the string."}, {}, false, {}},
        // What a drop or a shortcut can put on a command line.
        TCase{"AnUnbalancedQuote", {}, {"a b.txt"}, {}, "\"{src}\\a b.txt", {}, {}, {"a b"}, true, {}},
        TCase{"OnlyQuotesAndBlanks", {}, {}, {}, "\"\" \t \"\"", {Press(IDCANCEL)}, {"Tesselo"}, {}, true, {}},
        TCase{"QuotesInsideAWord", {}, {"a b.txt"}, {}, "{src}\\a\" \"b.txt", {}, {}, {"a b"}, true, {}},
        TCase{"AWildcard", {}, {"a.txt"}, {}, "{src}\\*.txt", {Press(IDOK)},
              {"error: The program cannot accept the path \"{src}\\*.txt\" because its long form is unavailable."},
              {}, false, {}},
        TCase{"ADeviceNameAlone", {}, {"a.txt"}, {}, "{src}\\a.txt NUL", {Press(IDOK)},
              {"error: The program cannot accept the path \"NUL\" because it is not in absolute form."}, {}, false, {}},
        // Windows refuses a device path at intake; Wine takes it, and the
        // device's name counts as taken in every folder.
        TCase{"ADevicePath", {}, {"a.txt"}, {}, "{src}\\a.txt {src}\\COM1", {}, {}, {"COM1 (2)", "a"}, true, {}},
        // Refused on Windows, whose long form needs the server; Wine keeps
        // the path as it is, and it is no regular file there.
        TCase{"AnUncPathToNoServer", {}, {}, {}, "\\\\noserver\\share\\x.txt", {}, {}, {"x.txt"}, true, {}},
        Encoded("SettingsInUtf16", "utf-16le"), Encoded("SettingsInUtf16BigEndian", "utf-16be"),
        Encoded("SettingsInUtf8WithAMark", "utf-8-bom"), Encoded("SettingsInUtf8", "utf-8"),
        TCase{"SettingsThatAreNoText", {}, {"a.txt"}, {}, "{src}\\a.txt", {Press(IDOK)},
              {"error: The program cannot read the file \"{prog}\\Settings.ini\" because it is not text in the "
               "system's code page, UTF-8 or UTF-16."},
              {}, false, {}, "{src}", "nul"},
        // Values that the options dialog refuses, edited into the file by hand.
        Refused("AnEmptyOtherFolder", "OtherOutputDirectory", "", "is not a path in absolute form."),
        Refused("ARelativeOtherFolder", "OtherOutputDirectory", "out", "is not a path in absolute form."),
        Refused("APrefixThatClimbsOut", "OriginalNamePrefix", "..\\", "holds a character that file names cannot hold."),
        Refused("ASerialNumberSuffixWithASlash", "SerialNumberSuffix", "/x",
                "holds a character that file names cannot hold.", {"a"}),
        // Paths beyond MAX_PATH, to the 32,767 characters that Windows allows.
        TCase{"LongSources", {}, {"{deep:320}\\report.txt", "{deep:900}\\Photos\\"}, {},
              "\"{src}\\{deep:320}\\report.txt\" \"{src}\\{deep:900}\\Photos\"", {}, {}, {"Photos", "report"}, true, {}},
        TCase{"ADeepOtherFolderIsMadeAndKept", {"OtherOutputDirectory=\"{out}\\{deep:460}\""}, {"a.txt"}, {},
              "{src}\\a.txt", {}, {}, {"a"}, true, {"OtherOutputDirectory=\"{out}\\{deep:460}\""}, "{src}", "",
              "{out}\\{deep:460}"},
        TCase{"ADeepOtherFolderThatHoldsTheName", {"OtherOutputDirectory=\"{out}\\{deep:460}\""}, {"a.txt"}, {"a"},
              "{src}\\a.txt", {}, {}, {"a", "a (2)"}, true, {}, "{src}", "", "{out}\\{deep:460}"},
        TCase{"ALongFailedPathIsListedAndCopiedWhole", {"AvoidNameCollision=0"}, {"{deep:560}\\a.txt"}, {"a"},
              "{src}\\{deep:560}\\a.txt", {CopyAll()},
              {"failed: {src}\\{deep:560}\\a.txt | The name is taken. (copied)"}, {"a"}, true, {}},
        TCase{"PathsAtTheEdgeOfMaxPath", {}, {"{len:259}", "{len:260}", "{len:261}"}, {},
              "{src}\\{len:259} {src}\\{len:260} {src}\\{len:261}", {}, {}, {"{len:259}", "{len:260}", "{len:261}"},
              true, {}},
        TCase{"APathLongerThanTheSystemTakes", {}, {"a.txt"}, {}, "{src}\\a.txt {src}\\" + std::string(300, 'x'),
              {Press(IDOK)}, {"error: The program cannot accept the path \"{src}\\" + std::string(300, 'x') + "\"*"},
              {}, false, {}}),
    [](const testing::TestParamInfo<TCase>& info) { return std::string(info.param.Name); });

using ProgramRuns = ProgramTest;

// A folder that the tests share with everything else, the desktop or the
// drive's root: the names made there begin with a stem that no other run of
// the tests uses, and what begins with it goes, with all it holds, at the end.
struct TSharedFolder {
    explicit TSharedFolder(const std::string& folder) : Folder(folder) {}
    ~TSharedFolder() { RemoveMatching(L"\\\\?\\" + Wide(Folder), Wide(Stem + "*")); }
    TSharedFolder(const TSharedFolder&) = delete;
    TSharedFolder& operator=(const TSharedFolder&) = delete;
    std::string operator/(const std::string& name) const { return Folder + "\\" + Stem + name; }

    const std::string Folder;
    const std::string Stem = "t" + std::to_string(GetCurrentProcessId()) + "-";
};

std::string SpecialFolder(int folder)
{
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, folder, FALSE);
    return path;
}

// The progress window of a run of count sources from folder, as it was met.
void ExpectProgressWindow(const TWindowSeen& seen, const std::string& count, const std::string& folder)
{
    EXPECT_EQ(seen.Caption, "Tesselo");
    ASSERT_EQ(seen.Labels.size(), 2u);
    const std::string& line = seen.Labels[0];
    EXPECT_EQ(line.rfind("Creating directories: ", 0), 0u) << line;
    EXPECT_EQ(line.substr(line.find(" of ")), " of " + count) << line;
    EXPECT_EQ(seen.Labels[1].rfind(folder + "\\", 0), 0u) << seen.Labels[1];
    EXPECT_TRUE(seen.ProgressBar);
    EXPECT_EQ(seen.Buttons, std::vector<std::string>{"Cancel"});
}

}

TEST_F(ProgramRuns, ADropWithTheDefaultsGoesToTheDesktopAndWritesEveryKey)
{
    const TSharedFolder desktop(SpecialFolder(CSIDL_DESKTOPDIRECTORY));
    const std::string name = " report " + DoubleByte();
    WriteFileText(Src + "\\" + desktop.Stem + name + ".txt", "x");
    MakeDirectory(desktop / name);

    Run("\"{src}\\" + desktop.Stem + name + ".txt\"", {}, {});
    EXPECT_TRUE(IsDirectory(desktop / (name + " (2)")));
    EXPECT_EQ(ReadFileText(SettingsFile),
              "[System]\r\nCurrentDirectory=\"" + Src + "\"\r\n\r\n[Options]\r\nOutputDirectory=1\r\n"
              "OtherOutputDirectory=\"" + SpecialFolder(CSIDL_PERSONAL) + "\"\r\nOriginalNamePrefix=\"\"\r\n"
              "OriginalNameSuffix=\"\"\r\nRemoveExtension=1\r\nAvoidNameCollision=1\r\nSerialNumberPrefix=\" (\"\r\n"
              "SerialNumberSuffix=\")\"\r\nMinSerialNumber=1\r\nMaxSerialNumber=100\r\nSerialNumberPosition=1\r\n"
              "SortEntries=1\r\nMoveSources=0\r\nGroupSources=0\r\nShowPreview=0\r\n\r\n");
}

TEST_F(ProgramRuns, AtTheSourceBelowADriveRootUsesTheRoot)
{
    WriteFileText(SettingsFile, "[Options]\r\nOutputDirectory=0\r\n");
    const TSharedFolder root("C:");
    WriteFileText(root / "file.txt", "x");
    MakeDirectory(root / "folder.d");
    WriteFileText(Src + "\\report.txt", "x");

    Run(root / "file.txt " + root / "folder.d {src}\\report.txt", {}, {});
    EXPECT_TRUE(IsDirectory(root / "file"));
    EXPECT_TRUE(IsDirectory(root / "folder.d (2)"));
    EXPECT_TRUE(IsDirectory(Src + "\\report"));
}

TEST_F(ProgramRuns, AReadOnlySettingsFileIsKeptAndTheRunSaysSoAtTheEnd)
{
    WriteFileText(SettingsFile, ToOut);
    SetFileAttributesA(SettingsFile.c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileText(Src + "\\a.txt", "x");

    Run("{src}\\a.txt", {Press(IDOK)}, {"error: The program could not write the file \"{prog}\\Settings.ini\"."});
    EXPECT_EQ(DirectoryNames(Out), std::vector<std::string>{"a"});
    EXPECT_EQ(ReadFileText(SettingsFile), ToOut);
    EXPECT_EQ(DirectoryNames(Folder), (std::vector<std::string>{"Runs", "Settings.ini", "Tesselo.exe"}));
}

// A prefix in a character that neither code page 1252 nor 932 has: the
// program in UTF-8 takes it; the one without says so and keeps the file.
TEST_F(ProgramRuns, ACharacterTheCodePageLacks)
{
    const std::wstring prefix = L"\u0100-";
    const std::string settings = Narrow(Wide(ToOut) + L"OriginalNamePrefix=\"" + prefix + L"\"\r\n", CP_UTF8);
    WriteFileText(SettingsFile, settings);
    WriteFileText(Src + "\\a.txt", "x");

    if (IsAnsiProgram()) {
        Run("{src}\\a.txt", {Press(IDOK)}, {"error: The program cannot read the file \"{prog}\\Settings.ini\" because "
                                            "it holds characters that the system's code page lacks."});
        EXPECT_TRUE(DirectoryNames(Out).empty());
        EXPECT_EQ(ReadFileText(SettingsFile), settings);
    } else {
        Run("{src}\\a.txt", {}, {});
        EXPECT_EQ(WideDirectoryNames(Wide(Out)), std::vector<std::wstring>{prefix + L"a"});
    }
}

TEST_F(ProgramRuns, TwoThousandArgumentsAllGetTheirDirectories)
{
    // Moved too, so that the run takes some seconds.
    WriteFileText(SettingsFile, ToOut + "MoveSources=1\r\n");
    // Short paths, so that the command line stays within its 32,767 characters.
    const TSharedFolder root("C:");
    const std::string sources = root / "s";
    MakeDirectory(sources);
    std::string arguments;
    for (int i = 0; i < 2000; ++i) {
        WriteFileText(sources + "\\" + std::to_string(i), "");
        arguments += " " + sources + "\\" + std::to_string(i);
    }
    // The progress window opens, and goes by itself.
    const TProgramRun run = RunProgram(Exe, Wide(arguments), {Watch()}, Src);
    ASSERT_EQ(run.Seen.size(), 1u);
    ExpectProgressWindow(run.Seen[0], "2,000", sources);
    EXPECT_EQ(DirectoryNames(Out).size(), 2000u);
}

// Explorer hands over a selection of any size through the drop target: the
// command line of these sources would pass 150,000 characters.
TEST_F(ProgramRuns, TwoThousandFiveHundredSourcesFromExplorerInOneRun)
{
    // Moved too, so that the run surely lasts until its progress window opens.
    WriteFileText(SettingsFile, ToOut + "MoveSources=1\r\n");
    std::vector<std::wstring> paths;
    size_t commandLine = 0;
    for (int i = 0; i < 2500; ++i) {
        paths.push_back(Wide(Src) + L"\\a photo of the summer of 2026, number " + std::to_wstring(i) + L".jpg");
        WriteFileText(paths.back(), "");
        commandLine += paths.back().size() + 3;
    }
    EXPECT_GT(commandLine, 150000u);
    TExplorer explorer(Wide(Exe));
    explorer.OnReleased = ExpectNoneMade({});
    std::vector<std::wstring> names;
    for (const std::wstring& path : paths)
        names.push_back(path.substr(path.rfind(L'\\') + 1));
    IDataObject* data = explorer.FolderItems(Wide(Src), names);
    ASSERT_TRUE(data);
    const TDropped dropped = explorer.Drop(data);
    data->Release();
    EXPECT_LT(dropped.Milliseconds, 2000u);
    const TProgramRun run = WatchProgram(dropped.Process, dropped.ProcessId, {Watch()});
    CloseHandle(dropped.Process);
    EXPECT_TRUE(run.Ended);
    EXPECT_EQ(run.Seen.size(), 1u);
    EXPECT_EQ(DirectoryNames(Out).size(), 2500u);
}

// Explorer's data without a file-system item is refused at DragEnter; the
// server that COM started ends as soon as it is let go, with no run.
TEST_F(ProgramRuns, ExplorerDataWithNoFileSystemItemIsRefused)
{
    const TExplorer explorer(Wide(Exe));
    IDataObject* data = explorer.FolderItems(L"", {ThisPc});
    ASSERT_TRUE(data);
    const TDropped dropped = explorer.Drop(data);
    data->Release();
    EXPECT_EQ(dropped.Entered, static_cast<DWORD>(DROPEFFECT_NONE));
    const DWORD start = GetTickCount();
    const TProgramRun run = WatchProgram(dropped.Process, dropped.ProcessId, {});
    CloseHandle(dropped.Process);
    EXPECT_TRUE(run.Ended);
    EXPECT_LT(GetTickCount() - start, 10000u);
    EXPECT_FALSE(PathFileExistsA(SettingsFile.c_str()));
}

// With one file-system item the drop is taken; the other item stops the
// run before anything is made, as a relative argument does.
TEST_F(ProgramRuns, AnItemOutsideTheFileSystemStopsTheRun)
{
    WriteFileText(SettingsFile, ToOut);
    const TSharedFolder desktop(SpecialFolder(CSIDL_DESKTOPDIRECTORY));
    WriteFileText(desktop / "a.txt", "x");
    const TExplorer explorer(Wide(Exe));
    IDataObject* data = explorer.FolderItems(L"", {Wide(desktop.Stem + "a.txt"), ThisPc});
    ASSERT_TRUE(data);
    const TDropped dropped = explorer.Drop(data);
    data->Release();
    const TProgramRun run = WatchProgram(dropped.Process, dropped.ProcessId, {Press(IDOK)});
    CloseHandle(dropped.Process);
    ASSERT_EQ(run.Seen.size(), 1u);
    EXPECT_EQ(run.Seen[0].Text.rfind("The program cannot accept the item \"", 0), 0u) << run.Seen[0].Text;
    EXPECT_NE(run.Seen[0].Text.find("\" because it is not in the file system."), std::string::npos);
    EXPECT_TRUE(DirectoryNames(Out).empty());
    EXPECT_EQ(ReadFileText(SettingsFile), ToOut);
}

// A dropped name that the program's code page cannot hold would name
// another file: the program without UTF-8 refuses it.
TEST_F(ProgramRuns, ADroppedNameTheCodePageLacks)
{
    WriteFileText(SettingsFile, ToOut);
    const std::wstring path = Wide(Src) + L"\\\u0100.txt";
    WriteFileText(path, "x");
    const TProgramRun run = DropOnProgram(Exe, {path}, IsAnsiProgram() ? std::vector<TAnswer>{Press(IDOK)} : std::vector<TAnswer>{});
    if (IsAnsiProgram()) {
        ASSERT_EQ(run.Seen.size(), 1u);
        EXPECT_EQ(run.Seen[0].Text, "The program cannot accept the path \"" + Src
                                        + "\\?.txt\" because it holds characters that the system's code page lacks.");
        EXPECT_TRUE(DirectoryNames(Out).empty());
    } else {
        EXPECT_EQ(WideDirectoryNames(Wide(Out)), std::vector<std::wstring>{L"\u0100"});
    }
}

// Moves: each source goes into its new directory, and the menu's last
// command takes the run back.
class Moves : public ProgramTest {
protected:
    void SetUp() override { WriteFileText(SettingsFile, ToOut + "MoveSources=1\r\n"); }

    // The time of the newest run on record, as the undo's question gives it.
    std::string NewestRun() const
    {
        std::uint64_t newest = 0;
        for (const std::string& name : DirectoryNames(Folder + "\\Runs")) {
            WIN32_FILE_ATTRIBUTE_DATA data;
            GetFileAttributesExA((Folder + "\\Runs\\" + name).c_str(), GetFileExInfoStandard, &data);
            newest = std::max(newest, std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32
                                          | data.ftLastWriteTime.dwLowDateTime);
        }
        return LocalDateTime(newest);
    }

    // The menu's undo of the newest run, with these counts, confirmed; then
    // the windows that follow. When none follow, its record is gone.
    void Undo(const std::string& counts, const std::vector<TAnswer>& answers = {},
              const std::vector<std::string>& windows = {})
    {
        std::vector<TAnswer> all = {ChooseCommand(3), Press(IDYES)};
        all.insert(all.end(), answers.begin(), answers.end());
        std::vector<std::string> seen = {
            "Tesselo", "box Tesselo icon=shown buttons: Do you want to take back the run of " + NewestRun() + ": " + counts + "?"};
        seen.insert(seen.end(), windows.begin(), windows.end());
        const size_t before = DirectoryNames(Folder + "\\Runs").size();
        Run("", all, seen);
        EXPECT_EQ(DirectoryNames(Folder), (std::vector<std::string>{"Runs", "Settings.ini", "Tesselo.exe"}));
        EXPECT_EQ(DirectoryNames(Folder + "\\Runs").size(), windows.empty() ? before - 1 : before);
    }
};

TEST_F(Moves, AFileAndAFolderMoveInAtTheSourceAndElsewhereAndGoBack)
{
    WriteFileText(Src + "\\report.txt", "x");
    MakeDirectory(Src + "\\Photos");
    WriteFileText(Src + "\\Photos\\a.jpg", "x");
    MakeDirectory(Out + "\\Photos");
    Run("{src}\\report.txt {src}\\Photos", {}, {});
    EXPECT_EQ(DirectoryNames(Src), std::vector<std::string>{});
    EXPECT_EQ(ReadFileText(Out + "\\report\\report.txt"), "x");
    EXPECT_EQ(ReadFileText(Out + "\\Photos (2)\\Photos\\a.jpg"), "x");
    Undo("2 directories and 2 moves");
    EXPECT_EQ(DirectoryNames(Src), (std::vector<std::string>{"Photos", "report.txt"}));
    EXPECT_EQ(DirectoryNames(Out), std::vector<std::string>{"Photos"});

    WriteFileText(SettingsFile, "[Options]\r\nOutputDirectory=0\r\nMoveSources=1\r\n");
    Run("{src}\\report.txt {src}\\Photos", {}, {});
    EXPECT_EQ(DirectoryNames(Src), (std::vector<std::string>{"Photos (2)", "report"}));
    EXPECT_EQ(ReadFileText(Src + "\\Photos (2)\\Photos\\a.jpg"), "x");
    EXPECT_EQ(ReadFileText(Src + "\\report\\report.txt"), "x");
}

// A source on another drive, or inside a source that has moved, stays where
// it is, and its new directory goes again.
TEST_F(Moves, WhatCannotMoveStaysAndIsListed)
{
    // The test run's drive S: is another device than C:.
    const TSharedFolder drive("S:");
    const std::string other = drive / "far";
    MakeDirectory(other);
    WriteFileText(other + "\\far.txt", "x");
    MakeDirectory(Src + "\\Photos");
    WriteFileText(Src + "\\Photos\\a.jpg", "x");
    WriteFileText(SettingsFile, ToOut + "MoveSources=1\r\nSortEntries=0\r\n");
    Run(other + "\\far.txt {src}\\Photos {src}\\Photos\\a.jpg", {Press(IDOK)},
        {"failed: " + other + "\\far.txt {src}\\Photos\\a.jpg | The source is on another drive."});
    EXPECT_EQ(ReadFileText(other + "\\far.txt"), "x");
    EXPECT_EQ(DirectoryNames(Out), std::vector<std::string>{"Photos"});
    Undo("3 directories and 2 moves");
    EXPECT_EQ(ReadFileText(Src + "\\Photos\\a.jpg"), "x");
    EXPECT_TRUE(DirectoryNames(Out).empty());
}

// Directories alone are taken back too, but one the user has filled stays.
TEST_F(Moves, UndoLeavesADirectoryTheUserFilled)
{
    WriteFileText(SettingsFile, ToOut);
    WriteFileText(Src + "\\a.txt", "x");
    WriteFileText(Src + "\\b.txt", "x");
    Run("{src}\\a.txt {src}\\b.txt", {}, {});
    WriteFileText(Out + "\\b\\mine.txt", "x");
    Undo("2 directories and 0 moves", {Press(IDOK)},
         {"failed: {out}\\b | The directory is not empty."});
    EXPECT_EQ(DirectoryNames(Out), std::vector<std::string>{"b"});
    EXPECT_EQ(DirectoryNames(Src), (std::vector<std::string>{"a.txt", "b.txt"}));
}

// The preview's choices hold for its run alone: Settings.ini keeps the
// options it had, the preview's own among them.
TEST_F(ProgramTest, ThePreviewsChoicesHoldForItsRunAlone)
{
    WriteFileText(SettingsFile, ToOut + "ShowPreview=1\r\n");
    WriteFileText(Src + "\\a.txt", "a");
    WriteFileText(Src + "\\b.txt", "b");
    const TProgramRun run = Run("{src}\\a.txt {src}\\b.txt", {ChoosePreview(2, true, L"All")},
                                {"preview: 2 sources: 2 new directories."});
    ExpectMadeAsPreviewed(run, Out, {});
    EXPECT_EQ(DirectoryNames(Out + "\\All"), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_TRUE(DirectoryNames(Src).empty());
    const std::string settings = ReadFileText(SettingsFile);
    for (const char* line : {"MoveSources=0\r\n", "GroupSources=0\r\n", "ShowPreview=1\r\n"})
        EXPECT_NE(settings.find(line), std::string::npos) << line << " in\n" << settings;
}

// Cancel makes nothing and records nothing; a name taken while the preview
// was up is numbered on, and what took it stays as it was.
TEST_F(ProgramTest, ThePreviewCancelledMakesNothingAndANameTakenMeanwhileIsNumberedOn)
{
    WriteFileText(SettingsFile, ToOut + "ShowPreview=1\r\n");
    WriteFileText(Src + "\\a.txt", "a");
    Run("{src}\\a.txt", {Press(IDCANCEL)}, {"preview: 1 source: 1 new directory."});
    EXPECT_TRUE(DirectoryNames(Out).empty());
    EXPECT_FALSE(IsDirectory(Folder + "\\Runs"));
    EXPECT_NE(ReadFileText(SettingsFile).find("ShowPreview=1\r\n"), std::string::npos);

    const TAnswer takeTheName = [this](HWND window, TWindowSeen&) {
        MakeDirectory(Out + "\\a");
        WriteFileText(Out + "\\a\\mine.txt", "mine");
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    };
    Run("{src}\\a.txt", {takeTheName}, {"preview: 1 source: 1 new directory."});
    EXPECT_EQ(DirectoryNames(Out), (std::vector<std::string>{"a", "a (2)"}));
    EXPECT_EQ(ReadFileText(Out + "\\a\\mine.txt"), "mine");
}

// Gathered at the source, the folder c takes the name c itself, so c and
// c.txt share c (2). Of two a.txt gathered in one folder, the second finds
// the name held and stays where it is.
TEST_F(Moves, SourcesOfOneNameMoveIntoOneDirectoryAndBack)
{
    WriteFileText(SettingsFile, "[Options]\r\nOutputDirectory=0\r\nMoveSources=1\r\nGroupSources=1\r\n");
    MakeDirectory(Src + "\\c");
    WriteFileText(Src + "\\c.txt", "x");
    Run("{src}\\c.txt {src}\\c", {}, {});
    EXPECT_EQ(DirectoryNames(Src), std::vector<std::string>{"c (2)"});
    EXPECT_EQ(DirectoryNames(Src + "\\c (2)"), (std::vector<std::string>{"c", "c.txt"}));

    WriteFileText(SettingsFile, ToOut + "MoveSources=1\r\nGroupSources=1\r\n");
    WriteFileText(Src + "\\a.txt", "x");
    MakeDirectory(Src + "\\sub");
    WriteFileText(Src + "\\sub\\a.txt", "twin");
    Run("{src}\\sub\\a.txt {src}\\a.txt", {Press(IDOK)},
        {"failed: {src}\\sub\\a.txt | The directory already holds something of that name."});
    EXPECT_EQ(DirectoryNames(Out + "\\a"), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(ReadFileText(Src + "\\sub\\a.txt"), "twin");
    Undo("1 directory and 1 move");
    EXPECT_EQ(ReadFileText(Src + "\\a.txt"), "x");
    EXPECT_TRUE(DirectoryNames(Out).empty());
}

// All into one named directory at the first source's folder, and back.
TEST_F(Moves, AllSourcesMoveIntoOneNamedDirectoryAndBack)
{
    WriteFileText(SettingsFile, "[Options]\r\nOutputDirectory=0\r\nMoveSources=1\r\nGroupSources=2\r\n");
    WriteFileText(Src + "\\report.txt", "x");
    MakeDirectory(Src + "\\Photos");
    WriteFileText(Src + "\\Photos\\a.jpg", "x");
    MakeDirectory(Src + "\\Taxes 2024");
    Run("{src}\\report.txt {src}\\Photos", {EditOption(0, L"Taxes 2024")}, {"name: Photos"});
    EXPECT_EQ(DirectoryNames(Src), (std::vector<std::string>{"Taxes 2024", "Taxes 2024 (2)"}));
    EXPECT_EQ(DirectoryNames(Src + "\\Taxes 2024 (2)"), (std::vector<std::string>{"Photos", "report.txt"}));
    Undo("1 directory and 2 moves");
    EXPECT_EQ(DirectoryNames(Src), (std::vector<std::string>{"Photos", "Taxes 2024", "report.txt"}));
}

// Each command of Explorer's menu, through its own class: its choices hold
// for its run alone, and Settings.ini's options stay as they were.
TEST_F(ProgramRuns, EachCommandOfTheMenuHoldsForItsRunAlone)
{
    WriteFileText(SettingsFile, ToOut);
    const std::string name = "Holiday" + DoubleByte();
    const struct {
        const wchar_t* Class;
        std::vector<std::string> Sources;
        std::vector<TAnswer> Answers;
        std::vector<std::string> Moved; // where each source went under {out}, or nothing
        std::vector<std::string> Out;   // what {out} holds afterwards
    } commands[] = {
        {DropTargetClass, {"a.txt"}, {}, {}, {"a"}},
        {MoveEachClass, {name + ".mkv", name + ".srt", "b.txt"}, {},
         {name + "\\" + name + ".mkv", name + "\\" + name + ".srt", "b\\b.txt"}, {name, "a", "b"}},
        {MoveAllClass, {"c.txt", "d.txt"}, {Press(IDOK)}, {"c\\c.txt", "c\\d.txt"}, {name, "a", "b", "c"}},
    };
    for (const auto& command : commands) {
        std::vector<std::wstring> paths;
        for (const std::string& source : command.Sources) {
            paths.push_back(Wide(Src + "\\" + source));
            WriteFileText(paths.back(), "x");
        }
        const TProgramRun run = DropOnProgram(Exe, paths, command.Answers, command.Class);
        EXPECT_TRUE(run.Ended);
        EXPECT_EQ(run.Seen.size(), command.Answers.size());
        EXPECT_EQ(DirectoryNames(Out), command.Out);
        for (const std::string& moved : command.Moved)
            EXPECT_EQ(ReadFileText(Out + "\\" + moved), "x") << moved;
        // Only the first command leaves its source.
        EXPECT_EQ(DirectoryNames(Src), std::vector<std::string>{"a.txt"});
        const std::string settings = ReadFileText(SettingsFile);
        EXPECT_NE(settings.find("MoveSources=0\r\nGroupSources=0\r\n"), std::string::npos) << settings;
    }
}

// Copied from the failed list, the paths come as plain text in the system's
// code page, the one that programs without Unicode read, whatever the
// keyboard's: under Windows in English with Japanese for such programs, the
// keyboard's code page would turn every Japanese character into "?".
TEST_F(ProgramRuns, TheFailedListCopiesPlainTextInTheSystemsCodePage)
{
    WriteFileText(SettingsFile, ToOut + "AvoidNameCollision=0\r\n");
    const std::string name = "Holiday" + DoubleByte();
    WriteFileText(Src + "\\" + name + ".txt", "x");
    MakeDirectory(Out + "\\" + name);
    const TProgramRun run = Run("\"{src}\\" + name + ".txt\"", {CopyAll()},
                                {"failed: {src}\\" + name + ".txt | The name is taken. (copied)"});
    ASSERT_EQ(run.Seen.size(), 1u);
    EXPECT_EQ(run.Seen[0].PlainClipboard, Src + "\\" + name + ".txt\r\n");
}

// In Japanese the program speaks Japanese: its menu, its message boxes and
// its failed-entries dialog. The runs with an English interface see the same
// windows in English.
TEST_F(ProgramRuns, JapaneseMenuMessageAndFailedList)
{
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_JAPANESE)
        GTEST_SKIP() << "The interface language is not Japanese.";
    TProgramRun run = RunProgram(Exe, L"", {ChooseCommand(2), Press(IDOK)}, Src);
    ASSERT_EQ(run.Seen.size(), 2u);
    const TWindowSeen& menu = run.Seen[0];
    EXPECT_EQ(menu.Caption, "Tesselo");
    EXPECT_EQ(Wide(menu.Labels.back()), L"コマンドを選んでください。");
    ASSERT_EQ(menu.Buttons.size(), 6u);
    EXPECT_EQ(Wide(menu.Buttons[0]), L"オプションの表示(&S)");
    EXPECT_EQ(Wide(menu.Buttons[5]), L"キャンセル");
    // About, in a message box of its own caption.
    EXPECT_EQ(run.Seen[1].Kind, "box");
    EXPECT_EQ(Wide(run.Seen[1].Caption), L"バージョン情報");
    EXPECT_EQ(Wide(run.Seen[1].Text).rfind(L"Tesselo バージョン ", 0), 0u);

    // A source whose name is taken: the dialog, its explanation and the
    // reason, which the run raised in English.
    WriteFileText(SettingsFile, ToOut + "AvoidNameCollision=0\r\n");
    WriteFileText(Src + "\\a.txt", "x");
    MakeDirectory(Out + "\\a");
    run = RunProgram(Exe, Wide("\"" + Src + "\\a.txt\""), {Press(IDOK)}, Src);
    ASSERT_EQ(run.Seen.size(), 1u);
    const TWindowSeen& failed = run.Seen[0];
    EXPECT_EQ(Wide(failed.Caption), L"フォルダーの作成");
    EXPECT_EQ(failed.WideLines, std::vector<std::wstring>{Wide(Src + "\\a.txt")});
    EXPECT_EQ(Wide(failed.Text), L"その名前は使われています。");
    ASSERT_EQ(failed.Labels.size(), 3u); // the icon, the explanation, the reason
    EXPECT_EQ(Wide(failed.Labels[1]),
              L"次のファイルのフォルダーを作成できませんでした:");
    EXPECT_EQ(Wide(failed.Buttons.back()), L"閉じる");
}

// The record that 2.1.0 left beside the program is taken over, with its
// time, and taken back.
TEST_F(Moves, TheRecordOfVersion210IsTakenBack)
{
    MakeDirectory(Out + "\\a");
    WriteFileText(Out + "\\a\\a.txt", "x");
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA((Out + "\\a\\a.txt").c_str(), GetFileExInfoStandard, &data);
    const std::uint64_t time = std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
    const std::string record = Folder + "\\LastRun.txt";
    WriteFileText(record, "D\t" + Out + "\\a\r\nM\t" + std::to_string(time) + "\t" + Src + "\\a.txt\t" + Out
                              + "\\a\\a.txt\r\n");
    GetFileAttributesExA(record.c_str(), GetFileExInfoStandard, &data);
    const std::string when = LocalDateTime(std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32
                                           | data.ftLastWriteTime.dwLowDateTime);
    Run("", {ChooseCommand(3), Press(IDYES)},
        {"Tesselo", "box Tesselo icon=shown buttons: Do you want to take back the run of " + when
                        + ": 1 directory and 1 move?"});
    EXPECT_EQ(ReadFileText(Src + "\\a.txt"), "x");
    EXPECT_TRUE(DirectoryNames(Out).empty());
    EXPECT_EQ(DirectoryNames(Folder), (std::vector<std::string>{"Runs", "Settings.ini", "Tesselo.exe"}));
    EXPECT_TRUE(DirectoryNames(Folder + "\\Runs").empty());
}

// A run ended half-way leaves a record of all it moved: the undo brings
// every file back, and at most the directory made at the end stays, empty.
TEST_F(Moves, ARunEndedHalfWayIsTakenBackWhole)
{
    const TSharedFolder root("C:");
    const std::string sources = root / "m";
    MakeDirectory(sources);
    std::wstring arguments;
    for (int i = 0; i < 1500; ++i) {
        WriteFileText(sources + "\\" + std::to_string(i) + ".txt", "x");
        arguments += L" " + Wide(sources) + L"\\" + std::to_wstring(i) + L".txt";
    }
    std::wstring commandLine = L"\"" + Wide(Exe) + L"\"" + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    for (int i = 0; i < 1000 && DirectoryNames(Out).size() < 300; ++i)
        Sleep(10);
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const size_t made = DirectoryNames(Out).size();
    EXPECT_GE(made, 300u);
    EXPECT_LT(made, 1500u);

    const std::vector<TAnswer> answers = {ChooseCommand(3), Press(IDYES)};
    const TProgramRun run = RunProgram(Exe, L"", answers, Src);
    EXPECT_EQ(run.Seen.size(), 2u);
    EXPECT_EQ(DirectoryNames(sources).size(), 1500u);
    EXPECT_LE(DirectoryNames(Out).size(), 1u);
    for (const std::string& left : DirectoryNames(Out))
        EXPECT_TRUE(DirectoryNames(Out + "\\" + left).empty()) << left;
}

// Cancel stops a long run before its next source: the source in hand has
// moved in whole, a source never reached is neither moved nor listed, and
// the run is recorded as far as it went, so that the undo takes it back.
TEST_F(Moves, CancelStopsTheRunAfterTheSourceInHand)
{
    WriteFileText(SettingsFile, ToOut + "MoveSources=1\r\nAvoidNameCollision=0\r\n");
    // Short paths, so that the command line stays within its 32,767 characters.
    const TSharedFolder root("C:");
    const std::string sources = root / "c";
    MakeDirectory(sources);
    std::vector<std::string> names;
    std::string arguments;
    for (int i = 10000; i < 11800; ++i) {
        names.push_back(std::to_string(i).substr(1));
        WriteFileText(sources + "\\" + names.back(), "x");
        arguments += " " + sources + "\\" + names.back();
    }
    // The first source fails; the last one, taken too, is never reached.
    MakeDirectory(Out + "\\" + names.front());
    MakeDirectory(Out + "\\" + names.back());

    const TProgramRun run = RunProgram(Exe, Wide(arguments), {Press(IDCANCEL), Press(IDOK), Press(IDOK)}, Src);
    EXPECT_EQ(run.ExitCode, 0u);
    ASSERT_EQ(run.Seen.size(), 3u);
    ExpectProgressWindow(run.Seen[0], "1,800", sources);
    EXPECT_EQ(Render(run.Seen[1]), "failed: " + sources + "\\" + names.front() + " | The name is taken.");
    const std::string stop = run.Seen[2].Text;
    const size_t done = std::strtoul(Replace(stop.substr(stop.find("after ") + 6), ",", "").c_str(), nullptr, 10);
    EXPECT_EQ(stop, "The program stopped after " + GroupedNumber(done) + " of 1,800 sources.");
    EXPECT_TRUE(run.Seen[2].Caption == "Tesselo" && run.Seen[2].OkOnly && run.Seen[2].Icon == "shown");
    ASSERT_TRUE(done > 1 && done < names.size()) << stop;
    EXPECT_EQ(ReadFileText(Out + "\\" + names[done - 1] + "\\" + names[done - 1]), "x");
    std::vector<std::string> left = {names.front()};
    left.insert(left.end(), names.begin() + static_cast<std::ptrdiff_t>(done), names.end());
    EXPECT_EQ(DirectoryNames(sources), left);
    std::vector<std::string> made(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(done));
    made.push_back(names.back());
    EXPECT_EQ(DirectoryNames(Out), made);
    EXPECT_NE(ReadFileText(SettingsFile).find("SortEntries="), std::string::npos);

    const std::string changes = GroupedNumber(done - 1);
    Undo(changes + " directories and " + changes + " moves");
    EXPECT_EQ(DirectoryNames(sources), names);
    EXPECT_EQ(DirectoryNames(Out), (std::vector<std::string>{names.front(), names.back()}));
}

// The program's files are found beside it: Settings.ini, and the help, which
// opens in the viewer of its document type. Run once from a copy of the
// program, and by the package check from the unpacked package.
TEST(ProgramFolder, SettingsAndHelpAreBesideTheProgram)
{
    // The copy also gives the scratch folder; the package check runs the
    // unpacked program instead of it.
    const TProgramCopy copy;
    std::string folder = copy.Folder;
    if (const char* unpacked = std::getenv("TESSELO_PROGRAM_DIR")) {
        folder = unpacked;
    } else {
        const std::string help = WindowsPathOf(TESSELO_HELP_PATH);
        MakeDirectory(folder + "\\Help");
        MakeDirectory(folder + "\\Help\\ja");
        ASSERT_TRUE(CopyFileA(help.c_str(), (folder + "\\Help\\index.html").c_str(), TRUE));
        ASSERT_TRUE(CopyFileA((ExtractFileDir(help) + "\\ja\\index.html").c_str(),
                              (folder + "\\Help\\ja\\index.html").c_str(), TRUE));
    }
    // The help in the interface's language.
    const std::string page = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? "\\Help\\ja\\index.html"
                                                                                       : "\\Help\\index.html";
    const std::string opened = copy.Root / "opened.txt";
    const THtmlViewer viewer(WindowsPathOf(TESSELO_RECORDER_PATH), opened);

    const TProgramRun run = RunProgram(folder + "\\Tesselo.exe", L"", {ChooseCommand(1)}, copy.Root.Path());
    EXPECT_EQ(run.ExitCode, 0u);
    for (int i = 0; i < 100 && GetFileAttributesA(opened.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    EXPECT_EQ(ReadFileText(opened), "\"" + WindowsPathOf(TESSELO_RECORDER_PATH) + "\" \"" + folder + page + "\"");
    EXPECT_NE(ReadFileText(folder + "\\Settings.ini").find("[Options]"), std::string::npos);
}

// Explorer names the menu's commands from the program's string table, in the
// user's interface language, as the installer asks with indirect strings.
TEST(ProgramFolder, ExplorersCommandsAreNamedInTheInterfaceLanguage)
{
    const TProgramCopy copy;
    const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    const struct {
        int Id;
        const wchar_t* English;
        const wchar_t* Japanese;
    } commands[] = {
        {800, L"&Create directories", L"フォルダーを作成(&C)"},
        {801, L"Move &each into its own directory", L"それぞれを専用のフォルダーへ移動(&E)"},
        {802, L"Move &all into one new directory...", L"すべてを 1 つの新しいフォルダーへ移動(&A)..."},
    };
    for (const auto& command : commands) {
        const std::wstring source = L"@" + Wide(copy.Exe) + L",-" + std::to_wstring(command.Id);
        WCHAR name[128] = {};
        ASSERT_EQ(SHLoadIndirectString(source.c_str(), name, 128, nullptr), S_OK) << command.Id;
        EXPECT_EQ(std::wstring(name), japanese ? command.Japanese : command.English);
    }
}
