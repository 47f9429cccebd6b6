#include "App_runprogress.h"

#include "App_ProgressDialog.h"
#include "Tk_application.h"
#include "Tk_format.h"

namespace {

// A run that ends sooner shows no window at all.
const DWORD OpenAfter = 1000;

}

bool TRunProgress::Next(int position, const std::string& source)
{
    // From the first source on: the time in the folder browser is the
    // user's, not the run's.
    if (position == 0)
        FStart = GetTickCount();
    if (!FDialog && GetTickCount() - FStart >= OpenAfter) {
        FDialog = GetProgressDialog();
        FDialog->Show();
    }
    // Before the window, the thread's messages go through all the same: a
    // client such as Explorer may still be waiting on a call to the program.
    if (!FDialog) {
        Application.ProcessMessages();
        return true;
    }
    FDialog->Step(position, FCount, source);
    if (FDialog->Cancelled())
        FStoppedAt = position;
    return !FDialog->Cancelled();
}

void TRunProgress::Close()
{
    if (FDialog)
        FDialog->Finish();
    FDialog = nullptr;
}

void TRunProgress::ReportStop() const
{
    if (FStoppedAt >= 0)
        Application.ShowMessageBox(Format("The program stopped after %s of %s sources.", GroupedNumber(FStoppedAt),
                                          GroupedNumber(FCount)),
                                   Application.Title, MB_OK | MB_ICONINFORMATION);
}
