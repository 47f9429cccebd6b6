#include "App_MenuDialog.h"

#include "App_MenuDialogForm.h"
#include "App_texts.h"
#include "Tk_application.h"
#include "Tk_controls.h"
#include "Tk_texts.h"

TMenuDialog* MenuDialog = nullptr;

TMenuDialog* GetMenuDialog()
{
    if (!MenuDialog)
        MenuDialog = Application.CreateForm<TMenuDialog>();
    return MenuDialog;
}

TMenuDialog::TMenuDialog()
    : TAppDialog(MenuDialogForm()),
      Image1(Control("Image1")),
      RadioButton1(Control("RadioButton1")),
      RadioButton2(Control("RadioButton2")),
      RadioButton3(Control("RadioButton3")),
      RadioButton4(Control("RadioButton4")),
      Button1(Control("Button1"))
{
    for (int command = mcShowOptions; command <= mcUndoLastRun; ++command)
        OnClick(CommandButton(command), [this] { UpdateControls(); });
    try {
        Initialize();
    } catch (...) {
        Finalize();
        throw;
    }
}

TMenuDialog::~TMenuDialog()
{
    Finalize();
}

void TMenuDialog::Initialize()
{
    ShowIcon();
}

void TMenuDialog::ShowIcon()
{
    ShowImageIcon(Image1, Application.Icon(LIM_LARGE, Dpi()), FIcon);
}

void TMenuDialog::DpiChanged()
{
    ShowIcon();
}

void TMenuDialog::Finalize()
{
    FIcon.reset();
}

bool TMenuDialog::Execute()
{
    SetEnabled(RadioButton4, UndoAvailable);
    // A dimmed choice cannot be preselected: it could not take the focus,
    // and "Execute" would carry it out all the same.
    SetCommand(Command == mcUndoLastRun && !UndoAvailable ? mcShowOptions : Command);
    return ShowModal() == mrOk;
}

void TMenuDialog::SetCommand(TMenuCommand value)
{
    if (value > mcUndoLastRun)
        RaiseError("The program does not support the result.");
    HWND radio = CommandButton(value);
    SetChecked(radio, true);
    SetActiveControl(radio);
    UpdateControls();
}

TMenuCommand TMenuDialog::GetCommand()
{
    for (int command = mcShowOptions; command <= mcUndoLastRun; ++command) {
        if (Checked(CommandButton(command)))
            return static_cast<TMenuCommand>(command);
    }
    RaiseInputError(Text(IDS_CHOOSE_ITEM), RadioButton1);
}

void TMenuDialog::UpdateControls()
{
    bool chosen = false;
    for (int command = mcShowOptions; command <= mcUndoLastRun; ++command)
        chosen = chosen || Checked(CommandButton(command));
    SetEnabled(Button1, chosen);
}

HWND TMenuDialog::CommandButton(int command) const
{
    const HWND buttons[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    return buttons[command];
}

void TMenuDialog::FormCloseQuery(bool&)
{
    if (ModalResult() == mrOk)
        Command = GetCommand();
}
