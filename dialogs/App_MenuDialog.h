// The command menu shown when the program starts without a path.
#pragma once

#include "App_DialogBase.h"

#include <cstdint>

// The menu's commands, in the order of its radio buttons.
enum TMenuCommand : std::uint8_t { mcShowOptions = 0, mcOpenHelp = 1, mcShowAbout = 2, mcUndoLastRun = 3 };

class TMenuDialog : public TAppDialog {
public:
    TMenuDialog();
    ~TMenuDialog() override;

    // Shows the menu with Command preselected, or the first command when
    // Command is the undo and there is nothing to undo; true when closed
    // with "Execute", and Command then holds the chosen command.
    virtual bool Execute();

    // A value outside the enumeration cannot be preselected.
    TMenuCommand Command = mcShowOptions;
    // Whether there is a run to take back; without one, "Undo the last run"
    // is dimmed and cannot be chosen.
    bool UndoAvailable = false;

protected:
    void FormCloseQuery(bool& canClose) override;
    void DpiChanged() override;

private:
    void Initialize();
    void Finalize();
    void ShowIcon();
    void SetCommand(TMenuCommand value);
    TMenuCommand GetCommand();
    void UpdateControls();
    HWND CommandButton(int command) const;

    HWND Image1;
    HWND RadioButton1;
    HWND RadioButton2;
    HWND RadioButton3;
    HWND RadioButton4;
    HWND Button1;
    TOwnedIcon FIcon;
};

extern TMenuDialog* MenuDialog;

// The one command menu, made on first use and owned by the application.
TMenuDialog* GetMenuDialog();
