// The dialog in which the user edits all options at once.
#pragma once

#include "App_DialogBase.h"
#include "App_doubleoptions.h"

#include <cstdint>
#include <string>

class TOptionsDialog : public TAppDialog {
public:
    TOptionsDialog();

    // Shows Options; true when closed with OK, and Options then holds what
    // the user set. An output directory, position or grouping that the
    // dialog cannot show raises EAppError before the dialog opens.
    virtual bool Execute();

    TDoubleOptions Options;

protected:
    void FormCloseQuery(bool& canClose) override;

private:
    void SetOptions(const TDoubleOptions& options);
    TDoubleOptions GetOptions();
    void UpdateControls();

    void SetOutputDirectory(TOutputDirectory value);
    void SetOtherOutputDirectory(const std::string& value);
    void SetOriginalNamePrefix(const std::string& value);
    void SetOriginalNameSuffix(const std::string& value);
    void SetRemoveExtension(bool value);
    void SetAvoidNameCollision(bool value);
    void SetSerialNumberPrefix(const std::string& value);
    void SetSerialNumberSuffix(const std::string& value);
    void SetMinSerialNumber(std::int32_t value);
    void SetMaxSerialNumber(std::int32_t value);
    void SetSerialNumberPosition(TSerialNumberPosition value);
    void SetSortEntries(bool value);
    void SetMoveSources(bool value);
    void SetGroupSources(TGroupSources value);
    void SetShowPreview(bool value);

    TOutputDirectory GetOutputDirectory();
    std::string GetOtherOutputDirectory();
    std::string GetOriginalNamePrefix();
    std::string GetOriginalNameSuffix();
    bool GetRemoveExtension();
    bool GetAvoidNameCollision();
    std::string GetSerialNumberPrefix();
    std::string GetSerialNumberSuffix();
    std::int32_t GetMinSerialNumber();
    std::int32_t GetMaxSerialNumber();
    TSerialNumberPosition GetSerialNumberPosition();
    bool GetSortEntries();
    bool GetMoveSources();
    TGroupSources GetGroupSources();
    bool GetShowPreview();

    HWND OutputDirectoryButton(int value) const;
    std::string GetFileNamePart(HWND edit);
    [[noreturn]] void RaiseFieldError(const std::string& message, HWND field);

    void Edit11Exit();
    void Edit21Exit();
    void Edit22Exit();
    void Edit23Exit();
    void Edit24Exit();
    void Edit25Exit();
    void Edit26Exit();
    void ComboBox21Exit();
    void ComboBox31Exit();
    void Button11Click();

    HWND RadioButton11;
    HWND RadioButton12;
    HWND RadioButton13;
    HWND RadioButton14;
    HWND Edit11;
    HWND Button11;
    HWND Edit21;
    HWND Edit22;
    HWND CheckBox21;
    HWND CheckBox22;
    HWND Label23;
    HWND Edit23;
    HWND Label24;
    HWND Edit24;
    HWND Label25;
    HWND Edit25;
    HWND Label26;
    HWND Edit26;
    HWND Label27;
    HWND ComboBox21;
    HWND CheckBox31;
    HWND CheckBox32;
    HWND ComboBox31;
    HWND CheckBox33;
};

extern TOptionsDialog* OptionsDialog;

// The one options dialog, made on first use and owned by the application.
TOptionsDialog* GetOptionsDialog();
