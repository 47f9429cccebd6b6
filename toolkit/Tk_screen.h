// The program's mouse pointer: busy while the program works, the normal
// pointer over its dialogs, message boxes and the folder browser.
#pragma once

#include <windows.h>

class TScreen {
public:
    // The pointer the program shows while no modal window is up; nullptr
    // for the normal pointer.
    HCURSOR Cursor() const { return FCursor; }
    void SetCursor(HCURSOR cursor);

private:
    friend class TNormalPointer;
    void Apply() const;

    HCURSOR FCursor = nullptr;
};

extern TScreen Screen;

// The normal pointer while a modal window is up; the screen's pointer again
// when it goes.
class TNormalPointer {
public:
    TNormalPointer();
    ~TNormalPointer();
    TNormalPointer(const TNormalPointer&) = delete;
    TNormalPointer& operator=(const TNormalPointer&) = delete;
};
