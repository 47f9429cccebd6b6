// What a long run shows of itself: once it has worked for about a second,
// the progress window, stepped before a source at most every 10 ms, where
// the user can stop it; and after a stop, how far it came.
#pragma once

#include <windows.h>

#include <string>

class TProgressDialog;

class TRunProgress {
public:
    explicit TRunProgress(int count) : FCount(count) {}
    ~TRunProgress() { Close(); }
    TRunProgress(const TRunProgress&) = delete;
    TRunProgress& operator=(const TRunProgress&) = delete;

    // Before source number position, from 0: false when the user has
    // stopped the run, which then ends before this source.
    bool Next(int position, const std::string& source);
    // Closes the window, if it opened, once the run has ended.
    void Close();
    // After a stopped run, says how far it came; nothing otherwise.
    void ReportStop() const;

private:
    int FCount;
    DWORD FStart = 0;
    DWORD FMessagesAt = 0;
    int FStoppedAt = -1;
    TProgressDialog* FDialog = nullptr;
};
