// The window that shows every directory and move of a run before the run
// makes anything, with the choices that change them for this run.
#pragma once

#include "App_DialogBase.h"
#include "App_doubleoptions.h"
#include "App_runplan.h"

#include <map>
#include <string>
#include <vector>

class TPreviewDialog : public TAppDialog {
public:
    TPreviewDialog();

    // The run as the presenter has set it up: the executor with the naming
    // options and the output directory, the sources in entry order, and
    // whether each directory goes beside its source.
    const TDoubleExecutor* Rules = nullptr;
    std::vector<std::string> Sources;
    bool AtSource = false;
    // The choices, shown and taken back: Name is the one directory's for
    // gsAllSources, and is checked as the name dialog checks it.
    TGroupSources GroupSources = gsEachSource;
    bool MoveSources = false;
    std::string Name;

    // Shows the plan of the run; true when closed with OK, and the choices
    // and Plan are then those shown.
    virtual bool Execute();
    const TRunPlan& Plan() const { return FPlan; }

protected:
    void FormCloseQuery(bool& canClose) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Plans the run with the choices shown and shows the plan, the list
    // where it was scrolled to.
    void Replan();
    void UpdateSummary();
    const std::string& Cell(int row, int column) const;
    const std::string& ShownReason(const std::string& reason) const;
    void CopyRows();

    HWND Label2;
    HWND ComboBox1;
    HWND CheckBox1;
    HWND Edit1;
    HWND ListView1;
    HWND Label5;
    TRunPlan FPlan;
    // The choices of the plan shown.
    TGroupSources FGroupSources = gsEachSource;
    std::string FName;
    bool FShowing = false;
    // The reasons of the plan, each as the user reads it.
    mutable std::map<std::string, std::string> FShownReasons;
};

extern TPreviewDialog* PreviewDialog;

// The one preview window, made on first use and owned by the application.
TPreviewDialog* GetPreviewDialog();
