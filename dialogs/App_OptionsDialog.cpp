#include "App_OptionsDialog.h"

#include "App_OptionsDialogForm.h"
#include "App_texts.h"
#include "Kro_files.h"
#include "Kro_shellfiles.h"
#include "Tk_application.h"
#include "Tk_format.h"
#include "Tk_strings.h"
#include "Tk_texts.h"

#include <cctype>

TOptionsDialog* OptionsDialog = nullptr;

TOptionsDialog* GetOptionsDialog()
{
    if (!OptionsDialog)
        OptionsDialog = Application.CreateForm<TOptionsDialog>();
    return OptionsDialog;
}

TOptionsDialog::TOptionsDialog()
    : TAppDialog(OptionsDialogForm()),
      RadioButton11(Control("RadioButton11")),
      RadioButton12(Control("RadioButton12")),
      RadioButton13(Control("RadioButton13")),
      RadioButton14(Control("RadioButton14")),
      Edit11(Control("Edit11")),
      Button11(Control("Button11")),
      Edit21(Control("Edit21")),
      Edit22(Control("Edit22")),
      CheckBox21(Control("CheckBox21")),
      CheckBox22(Control("CheckBox22")),
      Label23(Control("Label23")),
      Edit23(Control("Edit23")),
      Label24(Control("Label24")),
      Edit24(Control("Edit24")),
      Label25(Control("Label25")),
      Edit25(Control("Edit25")),
      Label26(Control("Label26")),
      Edit26(Control("Edit26")),
      Label27(Control("Label27")),
      ComboBox21(Control("ComboBox21")),
      CheckBox31(Control("CheckBox31")),
      CheckBox32(Control("CheckBox32")),
      ComboBox31(Control("ComboBox31")),
      CheckBox33(Control("CheckBox33"))
{
    for (HWND control : {RadioButton11, RadioButton12, RadioButton13, RadioButton14, CheckBox22})
        OnClick(control, [this] { UpdateControls(); });
    OnExit(Edit11, [this] { Edit11Exit(); });
    OnExit(Edit21, [this] { Edit21Exit(); });
    OnExit(Edit22, [this] { Edit22Exit(); });
    OnExit(Edit23, [this] { Edit23Exit(); });
    OnExit(Edit24, [this] { Edit24Exit(); });
    OnExit(Edit25, [this] { Edit25Exit(); });
    OnExit(Edit26, [this] { Edit26Exit(); });
    OnExit(ComboBox21, [this] { ComboBox21Exit(); });
    OnExit(ComboBox31, [this] { ComboBox31Exit(); });
    OnClick(Button11, [this] { Button11Click(); });
}

bool TOptionsDialog::Execute()
{
    // Taken before SetOptions changes what is checked and enabled.
    SetActiveControl(FirstTabStop());
    SetOptions(Options);
    // The pick may be no tab stop any more: on the first show no radio button
    // is checked yet, so it is Edit11, which SetOptions disables unless the
    // choice is "Other:"; on a later show it may be the radio button of the
    // choice shown before. The dialog then opens on the checked choice.
    HWND picked = ActiveControl();
    if (!IsWindowEnabled(picked) || !(GetWindowLongA(picked, GWL_STYLE) & WS_TABSTOP))
        SetActiveControl(FirstTabStop());
    return ShowModal() == mrOk;
}

// The enabling rules follow from the click handlers that SetChecked fires on
// every change; the first show always checks a radio button.
void TOptionsDialog::SetOptions(const TDoubleOptions& options)
{
    SetOutputDirectory(options.OutputDirectory);
    SetOtherOutputDirectory(options.OtherOutputDirectory);
    SetOriginalNamePrefix(options.OriginalNamePrefix);
    SetOriginalNameSuffix(options.OriginalNameSuffix);
    SetRemoveExtension(options.RemoveExtension);
    SetAvoidNameCollision(options.AvoidNameCollision);
    SetSerialNumberPrefix(options.SerialNumberPrefix);
    SetSerialNumberSuffix(options.SerialNumberSuffix);
    SetMinSerialNumber(options.MinSerialNumber);
    SetMaxSerialNumber(options.MaxSerialNumber);
    SetSerialNumberPosition(options.SerialNumberPosition);
    SetSortEntries(options.SortEntries);
    SetMoveSources(options.MoveSources);
    SetGroupSources(options.GroupSources);
    SetShowPreview(options.ShowPreview);
}

TDoubleOptions TOptionsDialog::GetOptions()
{
    // A copy, so that no default has to be made (that asks the shell).
    TDoubleOptions options = Options;
    options.OutputDirectory = GetOutputDirectory();
    options.OtherOutputDirectory = GetOtherOutputDirectory();
    options.OriginalNamePrefix = GetOriginalNamePrefix();
    options.OriginalNameSuffix = GetOriginalNameSuffix();
    options.RemoveExtension = GetRemoveExtension();
    options.AvoidNameCollision = GetAvoidNameCollision();
    options.SerialNumberPrefix = GetSerialNumberPrefix();
    options.SerialNumberSuffix = GetSerialNumberSuffix();
    options.MinSerialNumber = GetMinSerialNumber();
    options.MaxSerialNumber = GetMaxSerialNumber();
    options.SerialNumberPosition = GetSerialNumberPosition();
    options.SortEntries = GetSortEntries();
    options.MoveSources = GetMoveSources();
    options.GroupSources = GetGroupSources();
    options.ShowPreview = GetShowPreview();
    return options;
}

void TOptionsDialog::UpdateControls()
{
    const bool other = Checked(RadioButton14);
    SetEnabled(Edit11, other);
    SetEnabled(Button11, other);
    const bool serialNumber = Checked(CheckBox22);
    for (HWND control : {Label23, Edit23, Label24, Edit24, Label25, Edit25, Label26, Edit26, Label27, ComboBox21})
        SetEnabled(control, serialNumber);
}

HWND TOptionsDialog::OutputDirectoryButton(int value) const
{
    const HWND buttons[] = {RadioButton11, RadioButton12, RadioButton13, RadioButton14};
    return buttons[value];
}

void TOptionsDialog::SetOutputDirectory(TOutputDirectory value)
{
    if (value > odOther)
        RaiseError("The program does not support the output directory.");
    SetChecked(OutputDirectoryButton(value), true);
}

void TOptionsDialog::SetOtherOutputDirectory(const std::string& value)
{
    SetText(Edit11, value);
}

void TOptionsDialog::SetOriginalNamePrefix(const std::string& value)
{
    SetText(Edit21, value);
}

void TOptionsDialog::SetOriginalNameSuffix(const std::string& value)
{
    SetText(Edit22, value);
}

void TOptionsDialog::SetRemoveExtension(bool value)
{
    SetChecked(CheckBox21, value);
}

void TOptionsDialog::SetAvoidNameCollision(bool value)
{
    SetChecked(CheckBox22, value);
}

void TOptionsDialog::SetSerialNumberPrefix(const std::string& value)
{
    SetText(Edit23, value);
}

void TOptionsDialog::SetSerialNumberSuffix(const std::string& value)
{
    SetText(Edit24, value);
}

void TOptionsDialog::SetMinSerialNumber(std::int32_t value)
{
    SetText(Edit25, std::to_string(value));
}

void TOptionsDialog::SetMaxSerialNumber(std::int32_t value)
{
    SetText(Edit26, std::to_string(value));
}

void TOptionsDialog::SetSerialNumberPosition(TSerialNumberPosition value)
{
    if (value > spEnd)
        RaiseError("The program does not support the position.");
    SetItemIndex(ComboBox21, value);
}

void TOptionsDialog::SetSortEntries(bool value)
{
    SetChecked(CheckBox31, value);
}

void TOptionsDialog::SetMoveSources(bool value)
{
    SetChecked(CheckBox32, value);
}

void TOptionsDialog::SetShowPreview(bool value)
{
    SetChecked(CheckBox33, value);
}

void TOptionsDialog::SetGroupSources(TGroupSources value)
{
    if (value < gsEachSource || value > gsAllSources)
        RaiseError("The program does not support the grouping.");
    SetItemIndex(ComboBox31, value);
}

TOutputDirectory TOptionsDialog::GetOutputDirectory()
{
    for (int value = odAtSource; value <= odOther; ++value) {
        if (Checked(OutputDirectoryButton(value)))
            return static_cast<TOutputDirectory>(value);
    }
    RaiseInputError(Text(IDS_CHOOSE_ITEM), RadioButton11);
}

std::string TOptionsDialog::GetOtherOutputDirectory()
{
    const std::string text = Text(Edit11);
    if (!IsAbsolutePath(text))
        RaiseFieldError(Text(IDS_TYPE_ABSOLUTE_PATH), Edit11);
    return text;
}

std::string TOptionsDialog::GetFileNamePart(HWND edit)
{
    const std::string text = Text(edit);
    if (FindInvalidFileNameChar(text) != 0)
        RaiseFieldError(Text(IDS_REMOVE_INVALID), edit);
    return text;
}

std::string TOptionsDialog::GetOriginalNamePrefix()
{
    return GetFileNamePart(Edit21);
}

std::string TOptionsDialog::GetOriginalNameSuffix()
{
    return GetFileNamePart(Edit22);
}

bool TOptionsDialog::GetRemoveExtension()
{
    return Checked(CheckBox21);
}

bool TOptionsDialog::GetAvoidNameCollision()
{
    return Checked(CheckBox22);
}

std::string TOptionsDialog::GetSerialNumberPrefix()
{
    return GetFileNamePart(Edit23);
}

std::string TOptionsDialog::GetSerialNumberSuffix()
{
    return GetFileNamePart(Edit24);
}

// Each bound of the range is compared with the other only when the other is
// an integer; otherwise the other's own check reports it.
std::int32_t TOptionsDialog::GetMinSerialNumber()
{
    int minimum;
    int maximum;
    if (!TryStrToInt(Text(Edit25), minimum) || minimum < 0
        || (TryStrToInt(Text(Edit26), maximum) && maximum < minimum))
        RaiseFieldError(Text(IDS_TYPE_MINIMUM), Edit25);
    return minimum;
}

std::int32_t TOptionsDialog::GetMaxSerialNumber()
{
    int maximum;
    int minimum;
    if (!TryStrToInt(Text(Edit26), maximum) || (TryStrToInt(Text(Edit25), minimum) && maximum < minimum))
        RaiseFieldError(Text(IDS_TYPE_MAXIMUM), Edit26);
    return maximum;
}

TSerialNumberPosition TOptionsDialog::GetSerialNumberPosition()
{
    const int index = ItemIndex(ComboBox21);
    if (index != spBeginning && index != spEnd)
        RaiseFieldError(Text(IDS_CHOOSE_ITEM), ComboBox21);
    return static_cast<TSerialNumberPosition>(index);
}

bool TOptionsDialog::GetSortEntries()
{
    return Checked(CheckBox31);
}

bool TOptionsDialog::GetMoveSources()
{
    return Checked(CheckBox32);
}

bool TOptionsDialog::GetShowPreview()
{
    return Checked(CheckBox33);
}

TGroupSources TOptionsDialog::GetGroupSources()
{
    const int index = ItemIndex(ComboBox31);
    if (index < gsEachSource || index > gsAllSources)
        RaiseFieldError(Text(IDS_CHOOSE_ITEM), ComboBox31);
    return static_cast<TGroupSources>(index);
}

// A disabled field cannot take the focus; it holds a value that came with
// Options. The user is sent to the choice that enables it and told what to
// correct there.
void TOptionsDialog::RaiseFieldError(const std::string& message, HWND field)
{
    if (IsWindowEnabled(field))
        RaiseInputError(message, field);
    std::string hint = message;
    hint[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(hint[0])));
    if (field == Edit11)
        RaiseInputError(Format(Text(IDS_CHOOSE_OTHER_AND), hint), OutputDirectoryButton(GetOutputDirectory()));
    RaiseInputError(Format(Text(IDS_CHECK_AVOID_AND), hint), CheckBox22);
}

void TOptionsDialog::Edit11Exit()
{
    GetOtherOutputDirectory();
}

void TOptionsDialog::Edit21Exit()
{
    GetOriginalNamePrefix();
}

void TOptionsDialog::Edit22Exit()
{
    GetOriginalNameSuffix();
}

void TOptionsDialog::Edit23Exit()
{
    GetSerialNumberPrefix();
}

void TOptionsDialog::Edit24Exit()
{
    GetSerialNumberSuffix();
}

void TOptionsDialog::Edit25Exit()
{
    GetMinSerialNumber();
}

void TOptionsDialog::Edit26Exit()
{
    GetMaxSerialNumber();
}

void TOptionsDialog::ComboBox21Exit()
{
    GetSerialNumberPosition();
}

void TOptionsDialog::ComboBox31Exit()
{
    GetGroupSources();
}

void TOptionsDialog::Button11Click()
{
    // The last used folder, remembered even when the dialog is cancelled.
    SetText(Edit11, ChooseOutputDirectory(Text(Edit11)));
}

void TOptionsDialog::FormCloseQuery(bool&)
{
    if (ModalResult() == mrOk)
        Options = GetOptions();
}
