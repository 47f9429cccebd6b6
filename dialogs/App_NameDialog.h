// The dialog that asks for the name of the one directory into which a run
// gathers all its sources.
#pragma once

#include "App_DialogBase.h"

#include <string>

class TNameDialog : public TAppDialog {
public:
    TNameDialog();

    // Shows Name, all of it selected; true when closed with OK, and Name
    // then holds the name typed, without blanks at its ends.
    virtual bool Execute();

    std::string Name;

protected:
    void FormCloseQuery(bool& canClose) override;

private:
    std::string GetName();

    HWND Edit1;
};

extern TNameDialog* NameDialog;

// The one name dialog, made on first use and owned by the application.
TNameDialog* GetNameDialog();
