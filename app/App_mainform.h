// The launcher: an invisible main form that performs the program's one run
// when the message loop first goes idle, then ends the program.
#pragma once

#include "Tk_forms.h"

class TMainForm : public TForm {
public:
    TMainForm();
    ~TMainForm() override;

private:
    void Initialize();
    void Finalize();
    void ApplicationIdle(bool& done);
};

extern TMainForm* MainForm;
