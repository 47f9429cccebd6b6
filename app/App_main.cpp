#include "App_main.h"

#include "App_ErrorDialog.h"
#include "App_MenuDialog.h"
#include "App_NameDialog.h"
#include "App_OptionsDialog.h"
#include "App_PreviewDialog.h"
#include "App_double.h"
#include "App_runprogress.h"
#include "App_runrecord.h"
#include "App_texts.h"
#include "App_undo.h"
#include "App_settings.h"
#include "App_version.h"
#include "Kro_autopointers.h"
#include "Kro_files.h"
#include "Kro_shellfiles.h"
#include "Tk_application.h"
#include "Tk_format.h"
#include "Tk_params.h"
#include "Tk_paths.h"
#include "Tk_screen.h"
#include "Tk_texts.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace {

// A hand-edited or stale Settings.ini is held to what the options dialog
// accepts: a separator in a name part, or a relative output folder, would put
// directories where the user did not ask for them.
void CheckNameParts(const TDoubleOptions& options)
{
    const struct {
        const char* Key;
        const std::string& Value;
    } parts[] = {{"OriginalNamePrefix", options.OriginalNamePrefix},
                 {"OriginalNameSuffix", options.OriginalNameSuffix},
                 {"SerialNumberPrefix", options.SerialNumberPrefix},
                 {"SerialNumberSuffix", options.SerialNumberSuffix}};
    for (const auto& part : parts) {
        if (FindInvalidFileNameChar(part.Value) != 0)
            throw EAppError(Format(
                "The program cannot use the setting \"%s\" because its value \"%s\" holds a character that file names cannot hold.",
                part.Key, part.Value));
    }
}

void CheckGroupSources(TGroupSources groupSources)
{
    if (groupSources < gsEachSource || groupSources > gsAllSources)
        throw EAppError("The program does not support the grouping.");
}

void CheckOtherOutputDirectory(const std::string& directory)
{
    if (!IsAbsolutePath(directory))
        throw EAppError(Format(
            "The program cannot use the setting \"OtherOutputDirectory\" because its value \"%s\" is not a path in absolute form.",
            directory));
}

// A dropped item stands where an argument would: one that is no path is
// refused as a relative argument is.
std::string DroppedPath(const TDataItem& item)
{
    switch (item.Kind) {
    case dkPath:
        return item.Text;
    case dkLacking:
        throw EAppError(Format(
            "The program cannot accept the path \"%s\" because it holds characters that the system's code page lacks.",
            item.Text));
    default:
        throw EAppError(Format("The program cannot accept the item \"%s\" because it is not in the file system.",
                               item.Text));
    }
}

}

TMainPresenter::TMainPresenter()
{
    try {
        Initialize();
    } catch (...) {
        Finalize();
        throw;
    }
}

TMainPresenter::~TMainPresenter()
{
    Finalize();
}

void TMainPresenter::Initialize()
{
    EntriesModel = new TDoubleEntriesModel();
    OptionsModel = new TDoubleOptionsModel();
    LoadSettings();
}

void TMainPresenter::Finalize()
{
    delete OptionsModel;
    OptionsModel = nullptr;
    delete EntriesModel;
    EntriesModel = nullptr;
}

void TMainPresenter::LoadSettings()
{
    ::LoadSettings(SettingsFileName, *OptionsModel);
    LoadedOptions = OptionsModel->Options();
}

void TMainPresenter::SaveSettings()
{
    ::SaveSettings(SettingsFileName, *OptionsModel, LoadedOptions);
}

void TMainPresenter::Execute()
{
    const TBusyPointer busy;
    try {
        ReadSources();
        if (EntriesModel->Count() > 0) {
            CreateDirectories();
        } else {
            TMenuDialog* menu = GetMenuDialog();
            AdoptOldRecords(RunRecordFileName, RunsFolderName);
            menu->UndoAvailable = HasRunRecord(RunsFolderName);
            if (!menu->Execute())
                Abort();
            switch (menu->Command) {
            case mcShowOptions:
                ShowOptions();
                break;
            case mcOpenHelp:
                OpenHelp();
                break;
            case mcShowAbout:
                ShowAbout();
                break;
            case mcUndoLastRun:
                UndoLastRun();
                break;
            default:
                throw EAppError("The program does not support the result.");
            }
        }
    } catch (const EAbort&) {
        // The user cancelled: nothing to show, and the settings are kept.
    }
    SaveSettings();
}

void TMainPresenter::ReadSources()
{
    const std::vector<std::string> arguments = DroppedItems.empty() ? ParamStrings() : std::vector<std::string>();
    const size_t count = DroppedItems.empty() ? arguments.size() : DroppedItems.size();
    if (count == 0)
        return;
    // All or nothing: a refused path destroys the entries made before it.
    TDoubleEntryArray entries(count);
    for (size_t j = 0; j < count; ++j)
        entries[j].reset(
            new TDoubleEntry(DroppedItems.empty() ? arguments[j] : DroppedPath(DroppedItems[j]), LongPaths));
    EntriesModel->AddEntries(entries);
    if (OptionsModel->Options().SortEntries)
        EntriesModel->Sort();
}

TDoubleOptions TMainPresenter::RunOptions() const
{
    TDoubleOptions options = OptionsModel->Options();
    switch (Command) {
    case ecCreateDirectories:
        break;
    case ecMoveEach:
        options.GroupSources = gsEachName;
        options.MoveSources = true;
        break;
    case ecMoveAll:
        options.GroupSources = gsAllSources;
        options.MoveSources = true;
        break;
    }
    return options;
}

void TMainPresenter::CreateDirectories()
{
    TDoubleOptions options = RunOptions();
    std::vector<std::string> failed;
    failed.reserve(static_cast<size_t>(EntriesModel->Count()));
    std::vector<std::string> reasons;
    TRunProgress progress(EntriesModel->Count());
    {
        TAutoPointer<TDoubleExecutor> executor(new TDoubleExecutor());
        // The record takes the place of the last run's when the run ends,
        // by any way out.
        const TAutoPointer<TRunRecord> record(new TRunRecord(RunsFolderName));
        executor->Record = record.Get();
        executor->LongPaths = &LongPaths;

        // Before the folder browser: a refusal after the user's choice would
        // waste it.
        CheckNameParts(options);
        CheckGroupSources(options.GroupSources);
        switch (options.OutputDirectory) {
        case odAtSource:
            break;
        case odDesktop:
            executor->OutputDirectory = GetDesktopDirectory();
            break;
        case odAsk:
            // The next run's browser starts at the folder chosen now.
            executor->OutputDirectory = ChooseOutputDirectory(GetCurrentDir());
            break;
        case odOther:
            CheckOtherOutputDirectory(options.OtherOutputDirectory);
            executor->OutputDirectory = options.OtherOutputDirectory;
            break;
        default:
            throw EAppError("The program does not support the output directory.");
        }

        executor->OriginalNamePrefix = options.OriginalNamePrefix;
        executor->OriginalNameSuffix = options.OriginalNameSuffix;
        executor->RemoveExtension = options.RemoveExtension;
        executor->AvoidNameCollision = options.AvoidNameCollision;
        executor->SerialNumberPrefix = options.SerialNumberPrefix;
        executor->SerialNumberSuffix = options.SerialNumberSuffix;
        executor->MinSerialNumber = options.MinSerialNumber;
        executor->MaxSerialNumber = options.MaxSerialNumber;
        executor->SerialNumberPosition = options.SerialNumberPosition;
        // The preview's choices hold for this run only, as a command's do.
        const TPreviewDialog* preview = options.ShowPreview ? ShowPreview(*executor, options) : nullptr;
        executor->MoveSource = options.MoveSources;
        executor->GroupSources = options.GroupSources;
        // One directory for all: at the source, that is the first source's
        // folder; its name is asked once the folder is known, before
        // anything is made, unless the preview has asked it.
        const bool allInOne = options.GroupSources == gsAllSources;
        if (allInOne) {
            const std::string& first = EntriesModel->Entries(0).Path;
            if (options.OutputDirectory == odAtSource)
                executor->OutputDirectory = ExtractFileDir(first);
            executor->SourcePath = first;
            if (preview) {
                executor->DirectoryName = preview->Name;
            } else {
                TNameDialog* dialog = GetNameDialog();
                dialog->Name = executor->FormName();
                if (!dialog->Execute())
                    Abort();
                executor->DirectoryName = dialog->Name;
            }
        }

        for (int i = 0; i < EntriesModel->Count(); ++i) {
            const std::string& path = EntriesModel->Entries(i).Path;
            if (!progress.Next(i, path))
                break;
            try {
                executor->SourcePath = path;
                if (options.OutputDirectory == odAtSource && !allInOne)
                    executor->OutputDirectory = ExtractFileDir(path);
                // The run makes what the preview showed, numbered on past a
                // name taken since.
                if (preview) {
                    const TPlannedSource& planned = preview->Plan().Sources()[static_cast<size_t>(i)];
                    executor->PlannedNumber = planned.Kind == pkNewDirectory || planned.Kind == pkNumberedDirectory
                        ? std::optional<std::int32_t>(planned.Number)
                        : std::nullopt;
                }
                executor->Execute();
            } catch (const EDoubleFail& error) {
                failed.push_back(path);
                reasons.push_back(error.Reason());
            }
        }
    }
    progress.Close();

    if (!failed.empty()) {
        TErrorDialog* dialog = GetErrorDialog();
        dialog->GetFiles() = failed;
        dialog->Reasons = reasons;
        dialog->Execute();
    }
    progress.ReportStop();
}

const TPreviewDialog* TMainPresenter::ShowPreview(TDoubleExecutor& executor, TDoubleOptions& options)
{
    TPreviewDialog* preview = GetPreviewDialog();
    preview->Rules = &executor;
    preview->Sources.clear();
    preview->Sources.reserve(static_cast<size_t>(EntriesModel->Count()));
    for (int i = 0; i < EntriesModel->Count(); ++i)
        preview->Sources.push_back(EntriesModel->Entries(i).Path);
    preview->AtSource = options.OutputDirectory == odAtSource;
    preview->GroupSources = options.GroupSources;
    preview->MoveSources = options.MoveSources;
    // The name dialog's default, for one directory for all.
    executor.SourcePath = preview->Sources.front();
    preview->Name = executor.FormName();
    if (!preview->Execute())
        Abort();
    options.GroupSources = preview->GroupSources;
    options.MoveSources = preview->MoveSources;
    return preview;
}

void TMainPresenter::UndoLastRun()
{
    TRunOnRecord run;
    if (!ReadNewestRun(RunsFolderName, run))
        return;
    int directories = 0;
    int moves = 0;
    for (const TRecordedChange& change : run.Changes)
        ++(change.Move ? moves : directories);
    if (!run.Changes.empty()
        && Application.ShowMessageBox(Format(Text(IDS_UNDO_QUESTION), LocalDateTime(run.Ended),
                                             Counted(directories, Text(IDS_DIRECTORY), Text(IDS_DIRECTORIES)),
                                             Counted(moves, Text(IDS_MOVE), Text(IDS_MOVES))),
                                      Application.Title, MB_YESNO | MB_ICONQUESTION)
            != IDYES)
        Abort();
    const TNotTakenBack left = TakeBack(run.Changes);
    // Another process's runs, finished meanwhile, keep their records.
    KeepLeftOfRun(run, left.Left);
    if (!left.Paths.empty()) {
        TErrorDialog* dialog = GetErrorDialog();
        dialog->Explanation = Text(IDS_UNDO_LEFT);
        dialog->GetFiles() = left.Paths;
        dialog->Reasons = left.Reasons;
        dialog->Execute();
    }
}

void TMainPresenter::ShowOptions()
{
    TOptionsDialog* dialog = GetOptionsDialog();
    dialog->Options = OptionsModel->Options();
    if (!dialog->Execute())
        Abort();
    // Kept by the settings save at the end of the run, used by the next one.
    OptionsModel->SetOptions(dialog->Options);
}

void TMainPresenter::OpenHelp()
{
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // No error box of the shell's own: a failure is ours to report. The
    // process ends right after this call, so the shell must finish first.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = "open";
    info.lpFile = (InterfaceLanguage() == TLanguage::Japanese ? JapaneseHelpFileName : HelpFileName).c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info))
        throw EAppError("The program could not open the help.");
}

void TMainPresenter::ShowAbout()
{
    Application.ShowMessageBox(Format(Text(IDS_ABOUT_TEXT), TESSELO_VERSION_TEXT, TESSELO_COPYRIGHT),
                               Text(IDS_ABOUT_CAPTION), MB_OK | MB_SETFOREGROUND);
}
