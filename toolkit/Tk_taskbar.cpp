#include "Tk_taskbar.h"

UINT TTaskbarProgress::ButtonCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarButtonCreated");
    return message;
}

// Wine 8's taskbar list takes the calls but does nothing with them: under
// Wine the taskbar button shows no progress.
void TTaskbarProgress::ButtonCreated()
{
    if (!FTaskbar) {
        ITaskbarList3* taskbar = nullptr;
        if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                    reinterpret_cast<void**>(&taskbar))))
            return;
        FTaskbar.reset(taskbar);
        if (FAILED(FTaskbar->HrInit())) {
            FTaskbar.reset();
            return;
        }
    }
    Show();
}

void TTaskbarProgress::SetProgress(int position, int count)
{
    FPosition = position;
    FCount = count;
    Show();
}

void TTaskbarProgress::Clear()
{
    FCount = 0;
    if (FTaskbar)
        FTaskbar->SetProgressState(FWindow, TBPF_NOPROGRESS);
}

// The value alone turns the normal progress on.
void TTaskbarProgress::Show() const
{
    if (FTaskbar && FCount > 0)
        FTaskbar->SetProgressValue(FWindow, static_cast<ULONGLONG>(FPosition), static_cast<ULONGLONG>(FCount));
}
