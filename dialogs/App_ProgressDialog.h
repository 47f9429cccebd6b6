// The window of a long run: how far it has come, the source in hand, the
// same progress on the taskbar button, and Cancel. It is not modal: the run
// opens it and goes on, letting its messages through at each step.
#pragma once

#include "App_DialogBase.h"
#include "Tk_taskbar.h"

#include <string>

class TProgressDialog : public TAppDialog {
public:
    TProgressDialog();

    // Shown with Show, then stepped before each source: shows source as
    // the one in hand, number position + 1 of count, with position of them
    // done; then lets the waiting messages through, so that the window is
    // drawn and answers the user.
    void Step(int position, int count, const std::string& source);
    // True once the user has asked to stop: Cancel, Enter, Escape or the
    // close box.
    bool Cancelled() const { return ModalResult() == mrCancel; }
    // Hides the window and takes the progress off the taskbar button.
    void Finish();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND Label1;
    HWND Label2;
    HWND ProgressBar1;
    TTaskbarProgress FTaskbar;
    bool FDrawn = false;
    DWORD FDrawnAt = 0;
};

extern TProgressDialog* ProgressDialog;

// The one progress window, made on first use and owned by the application.
TProgressDialog* GetProgressDialog();
