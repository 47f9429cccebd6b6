// The dialog that lists the sources that got no directory, so that the user
// can copy some or all of them to the clipboard.
#pragma once

#include "App_DialogBase.h"
#include "Tk_controls.h"

#include <string>
#include <vector>

class TErrorDialog : public TAppDialog {
public:
    TErrorDialog();
    ~TErrorDialog() override;

    // The list's lines; assigning to them replaces what the dialog lists.
    TListBoxStrings GetFiles() { return TListBoxStrings(ListBox1); }
    // Why each line is listed, in the lines' order: the line under the list
    // shows the one of the item with the caret.
    std::vector<std::string> Reasons;
    // The sentence above the list, shown by Execute.
    std::string Explanation;

    // Shows the list with nothing selected; returns the modal result.
    virtual int Execute();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void DpiChanged() override;

private:
    // A command of the list, reached by its shortcut and its context menu item.
    struct TAction {
        WORD ShortCut; // a key with Ctrl, or 0 for none
        UINT MenuItem; // the command of its item in PopupMenu1
        void (TErrorDialog::*OnExecute)();
        void (TErrorDialog::*OnUpdate)(TAction& sender); // none: always enabled
        bool Enabled;
    };

    void Initialize();
    void Finalize();
    void ShowIcon();
    void ListBox1Click();
    // What follows the selection and the caret: the actions and the reason.
    void ListChanged();
    // Runs an action by its shortcut or menu item, if it is enabled.
    void ExecuteAction(TAction& action);
    void ActionList1Execute(TAction& action);
    void Action1Execute();
    void Action1Update(TAction& sender);
    void Action2Execute();
    void Action3Execute();
    void RefreshActions();
    static void UpdateScrollWidth(HWND listBox);

    HWND Image1;
    HWND Label1;
    HWND ListBox1;
    HWND Label2;
    TOwnedIcon FIcon;
    TOwnedMenu PopupMenu1;

    TAction Action1 = {'C', 1, &TErrorDialog::Action1Execute, &TErrorDialog::Action1Update, true};
    TAction Action2 = {'A', 3, &TErrorDialog::Action2Execute, nullptr, true};
    TAction Action3 = {0, 4, &TErrorDialog::Action3Execute, nullptr, true};
    // In the order in which RefreshActions updates them.
    TAction* const ActionList1[3] = {&Action1, &Action2, &Action3};
};

extern TErrorDialog* ErrorDialog;

// The one failed-entries dialog, made on first use and owned by the application.
TErrorDialog* GetErrorDialog();
