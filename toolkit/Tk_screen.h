// The program's mouse pointer: busy while the program works, the normal
// pointer over its dialogs, message boxes and the folder browser, and the
// working one over a window that can be used while the work goes on.
#pragma once

#include <windows.h>

class TScreen {
private:
    friend class TBusyPointer;
    friend class TNormalPointer;
    void Apply() const;

    // The pointer shown while no modal window is up; nullptr for the normal one.
    HCURSOR FCursor = nullptr;
};

extern TScreen Screen;

// The busy pointer for a scope: a whole run, or one action of a dialog, over
// the dialog too. The pointer of before comes back when it ends.
class TBusyPointer {
public:
    TBusyPointer();
    ~TBusyPointer();
    TBusyPointer(const TBusyPointer&) = delete;
    TBusyPointer& operator=(const TBusyPointer&) = delete;

private:
    HCURSOR FPrevious;
    HCURSOR FShown;
};

// Over a window that takes the user's input while the program goes on
// working: the arrow with the busy sign, as over Explorer's copy window.
void ShowWorkingPointer();

// The normal pointer while a modal window is up; the screen's pointer again
// when it goes.
class TNormalPointer {
public:
    TNormalPointer();
    ~TNormalPointer();
    TNormalPointer(const TNormalPointer&) = delete;
    TNormalPointer& operator=(const TNormalPointer&) = delete;
};
