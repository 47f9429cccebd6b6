#include "App_MenuDialog.h"

#include "App_MenuDialogForm.h"
#include "Tk_application.h"

TMenuDialog* MenuDialog = nullptr;

TMenuDialog* GetMenuDialog()
{
    if (!MenuDialog)
        MenuDialog = Application.CreateForm<TMenuDialog>();
    return MenuDialog;
}

TMenuDialog::TMenuDialog()
    : TAppDialog(MenuDialogForm),
      Image1(Control("Image1")),
      RadioButton1(Control("RadioButton1")),
      RadioButton2(Control("RadioButton2")),
      RadioButton3(Control("RadioButton3")),
      Button1(Control("Button1"))
{
    OnClick(RadioButton1, [this] { UpdateControls(); });
    OnClick(RadioButton2, [this] { UpdateControls(); });
    OnClick(RadioButton3, [this] { UpdateControls(); });
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
    FIcon = Application.Icon(LIM_LARGE);
    SendMessageA(Image1, STM_SETICON, reinterpret_cast<WPARAM>(FIcon.get()), 0);
}

void TMenuDialog::Finalize()
{
    FIcon.reset();
}

bool TMenuDialog::Execute()
{
    SetCommand(Command);
    return ShowModal() == mrOk;
}

void TMenuDialog::SetCommand(int value)
{
    HWND radio;
    switch (value) {
    case 0:
        radio = RadioButton1;
        break;
    case 1:
        radio = RadioButton2;
        break;
    case 2:
        radio = RadioButton3;
        break;
    default:
        RaiseError("The program does not support the result.");
    }
    SetChecked(radio, true);
    SetActiveControl(radio);
    UpdateControls();
}

int TMenuDialog::GetCommand()
{
    if (Checked(RadioButton1))
        return 0;
    if (Checked(RadioButton2))
        return 1;
    if (Checked(RadioButton3))
        return 2;
    RaiseInputError("Choose an item.", RadioButton1);
}

void TMenuDialog::UpdateControls()
{
    SetEnabled(Button1, Checked(RadioButton1) || Checked(RadioButton2) || Checked(RadioButton3));
}

void TMenuDialog::FormCloseQuery(bool&)
{
    if (ModalResult() == mrOk)
        Command = static_cast<std::uint8_t>(GetCommand());
}
