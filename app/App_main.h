// The main presenter: one complete run of the program.
#pragma once

#include "App_common.h"
#include "App_dropserver.h"
#include "App_doubleentries.h"
#include "App_doubleoptions.h"
#include "Tk_dataobject.h"

#include <vector>

class TDoubleExecutor;
class TPreviewDialog;

class TMainPresenter : public TPresenter {
public:
    // Creates the models and loads the settings.
    TMainPresenter();
    ~TMainPresenter() override;

    // Turns the arguments into entries, then creates their directories or,
    // with none, shows the command menu and carries out its command. Saves
    // the settings when the run completed or the user cancelled.
    virtual void Execute();

    // The items of a drop, which stand for the arguments when there are any.
    std::vector<TDataItem> DroppedItems;
    // The command of Explorer's menu that the items came with. Its choices
    // hold for this run alone: the options themselves never change.
    TExplorerCommand Command = ecCreateDirectories;

private:
    void Initialize();
    void Finalize();
    void LoadSettings();
    void SaveSettings();
    void ReadSources();
    void CreateDirectories();
    // Shows the run's plan before it makes anything; the choices taken there
    // go into the run's options. Raises the silent abort on Cancel.
    const TPreviewDialog* ShowPreview(TDoubleExecutor& executor, TDoubleOptions& options);
    TDoubleOptions RunOptions() const;
    void ShowOptions();
    void OpenHelp();
    void ShowAbout();
    void UndoLastRun();

    TDoubleEntriesModel* EntriesModel = nullptr;
    TDoubleOptionsModel* OptionsModel = nullptr;
    // Filled as the sources are read, asked again as their directories are
    // made.
    TLongPathCache LongPaths;
    // What the save compares with, to tell this run's changes of the options
    // from those that another run saved meanwhile.
    TDoubleOptions LoadedOptions;
};
