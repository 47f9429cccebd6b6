#include "App_runprogress.h"

#include "App_ProgressDialog.h"
#include "App_texts.h"
#include "Tk_application.h"
#include "Tk_format.h"
#include "Tk_texts.h"

namespace {

// A run that ends sooner shows no window at all.
const DWORD OpenAfter = 1000;
// The thread's messages wait no longer than this for a source: soon enough
// for a client still waiting on a call and for a click on Cancel, and asking
// the system at each of thousands of quick sources would cost more than
// their work.
const DWORD MessagesAfter = 10;

}

bool TRunProgress::Next(int position, const std::string& source)
{
    const DWORD now = GetTickCount();
    // From the first source on: the time in the folder browser is the
    // user's, not the run's.
    if (position == 0)
        FStart = now;
    bool due = position == 0 || now - FMessagesAt >= MessagesAfter;
    if (!FDialog && now - FStart >= OpenAfter) {
        FDialog = GetProgressDialog();
        FDialog->Show();
        due = true;
    }
    if (due) {
        FMessagesAt = now;
        // Before the window, the thread's messages go through all the same:
        // a client such as Explorer may still be waiting on a call.
        if (FDialog)
            FDialog->Step(position, FCount, source);
        else
            Application.ProcessMessages();
    }
    if (FDialog && FDialog->Cancelled()) {
        FStoppedAt = position;
        return false;
    }
    return true;
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
        Application.ShowMessageBox(Format(Text(IDS_STOPPED), GroupedNumber(FStoppedAt),
                                          GroupedNumber(FCount)),
                                   Application.Title, MB_OK | MB_ICONINFORMATION);
}
