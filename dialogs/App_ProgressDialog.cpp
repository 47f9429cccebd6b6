#include "App_ProgressDialog.h"

#include "App_ProgressDialogForm.h"
#include "App_texts.h"
#include "Tk_application.h"
#include "Tk_controls.h"
#include "Tk_format.h"
#include "Tk_screen.h"
#include "Tk_texts.h"

TProgressDialog* ProgressDialog = nullptr;

namespace {

const DWORD RedrawAfter = 100;

}

TProgressDialog* GetProgressDialog()
{
    if (!ProgressDialog)
        ProgressDialog = Application.CreateForm<TProgressDialog>();
    return ProgressDialog;
}

TProgressDialog::TProgressDialog()
    : TAppDialog(ProgressDialogForm()),
      Label1(Control("Label1")),
      Label2(Control("Label2")),
      ProgressBar1(Control("ProgressBar1")),
      FTaskbar(Handle())
{
}

void TProgressDialog::Step(int position, int count, const std::string& source)
{
    // Drawn anew ten times a second at the most: drawing it for each of
    // thousands of quick sources would cost the run more than its work.
    const DWORD now = GetTickCount();
    if (!FDrawn || now - FDrawnAt >= RedrawAfter) {
        SetText(Label1, Format(Text(IDS_PROGRESS), GroupedNumber(position + 1), GroupedNumber(count)));
        SetText(Label2, source);
        SetProgress(ProgressBar1, position, count);
        FTaskbar.SetProgress(position, count);
        FDrawn = true;
        FDrawnAt = now;
    }
    ProcessMessages();
}

void TProgressDialog::Finish()
{
    FDrawn = false;
    FTaskbar.Clear();
    Hide();
}

bool TProgressDialog::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        // The window, its Cancel above all, can be used while the run works.
        ShowWorkingPointer();
        result = TRUE;
        return true;
    }
    if (message == TTaskbarProgress::ButtonCreatedMessage()) {
        // The taskbar list is a COM object.
        Application.InitializeOle();
        FTaskbar.ButtonCreated();
        return true;
    }
    return false;
}
