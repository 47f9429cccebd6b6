#include "App_mainform.h"

#include "App_dropserver.h"
#include "App_main.h"
#include "Kro_autopointers.h"
#include "Tk_application.h"
#include "Tk_exceptions.h"

TMainForm* MainForm = nullptr;

namespace {

const TFormDesc MainFormDesc = {"MainForm", "Tesselo", 401, 201, 15, {}, TBorderStyle::None};

}

TMainForm::TMainForm() : TForm(MainFormDesc)
{
    try {
        Initialize();
    } catch (...) {
        Finalize();
        throw;
    }
}

TMainForm::~TMainForm()
{
    Finalize();
}

void TMainForm::Initialize()
{
    // Shown with no size, once the run shows its first window.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Application.OnIdle = [this](bool& done) { ApplicationIdle(done); };
}

void TMainForm::Finalize()
{
}

void TMainForm::ApplicationIdle(bool& done)
{
    done = true;
    // First of all, so that the idle events of the dialogs' own loops never
    // start a second run.
    Application.OnIdle = nullptr;
    try {
        // Started by COM: the sources come as a drop, if one comes at all;
        // a server that gets none ends without a run.
        std::vector<TDataItem> dropped;
        TExplorerCommand command = ecCreateDirectories;
        if (IsStartedForDrop(command)) {
            dropped = WaitForDrop(command);
            if (dropped.empty()) {
                Close();
                return;
            }
        }
        TAutoPointer<TMainPresenter> presenter(new TMainPresenter());
        presenter->DroppedItems = std::move(dropped);
        presenter->Command = command;
        presenter->Execute();
    } catch (...) {
        // A silent abort shows nothing.
        Application.HandleException("An unknown exception occured.");
    }
    Close();
}
