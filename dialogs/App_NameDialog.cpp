#include "App_NameDialog.h"

#include "App_NameDialogForm.h"
#include "Kro_files.h"
#include "Tk_application.h"
#include "Tk_controls.h"

TNameDialog* NameDialog = nullptr;

TNameDialog* GetNameDialog()
{
    if (!NameDialog)
        NameDialog = Application.CreateForm<TNameDialog>();
    return NameDialog;
}

TNameDialog::TNameDialog() : TAppDialog(NameDialogForm()), Edit1(Control("Edit1"))
{
}

bool TNameDialog::Execute()
{
    SetText(Edit1, Name);
    // The whole name selected: Enter takes it, typing replaces it.
    SetActiveControl(Edit1);
    return ShowModal() == mrOk;
}

std::string TNameDialog::GetName()
{
    const std::string name = TrimBlanks(Text(Edit1));
    if (const char* refusal = DirectoryNameRefusal(name))
        RaiseInputError(refusal, Edit1);
    return name;
}

void TNameDialog::FormCloseQuery(bool&)
{
    if (ModalResult() == mrOk)
        Name = GetName();
}
