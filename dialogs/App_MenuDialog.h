// The command menu shown when the program starts without a path.
#pragma once

#include "App_DialogBase.h"

#include <cstdint>

class TMenuDialog : public TAppDialog {
public:
    TMenuDialog();
    ~TMenuDialog() override;

    // Shows the menu with Command preselected; true when closed with
    // "Execute", and Command then holds the chosen command.
    virtual bool Execute();

    // 0 show the options, 1 open the offline help, 2 show the About box.
    std::uint8_t Command = 0;

protected:
    void FormCloseQuery(bool& canClose) override;

private:
    void Initialize();
    void Finalize();
    void SetCommand(int value);
    int GetCommand();
    void UpdateControls();

    HWND Image1;
    HWND RadioButton1;
    HWND RadioButton2;
    HWND RadioButton3;
    HWND Button1;
    TOwnedIcon FIcon;
};

extern TMenuDialog* MenuDialog;

// The one command menu, made on first use and owned by the application.
TMenuDialog* GetMenuDialog();
