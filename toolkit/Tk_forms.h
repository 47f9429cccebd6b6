// Forms built from a description: controls with names, kinds, captions and
// rectangles at 120 pixels per inch, listed in tab order. The form scales
// them to the density of the monitor it opens on, and again whenever it is
// moved to a monitor of another density; it keeps them at the edges they are
// anchored to as a sizeable form is resized, runs its own modal loop with a modal result and
// a close query, raises focus-out events and shows every error that leaves
// an event handler through the application's one error display.
#pragma once

#include "Tk_application.h"
#include "Tk_controls.h"
#include "Tk_handles.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

enum TModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

enum class TControlKind {
    Label, Edit, Button, CheckBox, RadioButton, ComboBox, ListBox, GroupBox, Image, Panel, ProgressBar,
    // In report view, its rows asked of the form as they are drawn (owner
    // data), so that its length costs nothing.
    ListView
};

// The edges of the form that a control keeps its distance to as the form is
// resized: anchored to both sides, it grows with the form.
enum TAnchors : unsigned {
    akLeft = 1 << 0,
    akTop = 1 << 1,
    akRight = 1 << 2,
    akBottom = 1 << 3,
};

// Properties of a control beyond its kind and caption.
enum TControlFlags : unsigned {
    cfNone = 0,
    cfDefault = 1 << 0,     // the button pressed by Enter
    cfCancel = 1 << 1,      // the button pressed by Escape
    cfCentered = 1 << 2,    // label text centred horizontally
    cfNoPrefix = 1 << 3,    // label shows '&' as typed
    cfWordWrap = 1 << 4,    // label text wraps over several lines
    cfGroup = 1 << 5,       // first radio button of a group
    cfEndEllipsis = 1 << 6, // one-line label cut short with "..." where it does not fit
    cfPathEllipsis = 1 << 7, // label shortens a path that is too long in the middle
};

struct TControlDesc {
    const char* Name;
    TControlKind Kind;
    const char* Parent; // a group box or panel, or nullptr for the form
    // For a drop-down list: its items, one per line, the first selected; for
    // a list view: its columns' headings, one per line.
    const char* Caption;
    int Left, Top, Width, Height; // at 120 pixels per inch, within the parent
    unsigned Flags = cfNone;
    int ModalResult = mrNone; // for buttons: the result a click gives the form
    unsigned Anchors = akLeft | akTop;
};

// Sizeable: a dialog that the user can resize and maximize. It opens at a
// size that suits the work area, and its client area is never smaller
// than the description's.
enum class TBorderStyle { Dialog, None, Sizeable };

struct TFormDesc {
    const char* Name;
    const char* Caption;
    int ClientWidth, ClientHeight; // at 120 pixels per inch
    int FontHeight;                // pixels at 120 pixels per inch
    std::vector<TControlDesc> Controls; // in tab order
    TBorderStyle BorderStyle = TBorderStyle::Dialog;
};

class TForm : public TComponent {
public:
    explicit TForm(const TFormDesc& description);
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return FHandle.get(); }
    HWND Control(const std::string& name) const;

    // Shows the form modally until a modal result closes it; the form is
    // hidden afterwards, not destroyed.
    int ShowModal();
    // Closes the form: a modal form is cancelled, the main form ends the
    // application's message loop.
    void Close();

    int ModalResult() const { return FModalResult; }

    // Shows the form without a loop of its own, for a caller that goes on
    // working and lets the form's messages through with ProcessMessages.
    // ModalResult tells whether the user has closed it meanwhile.
    void Show();
    void Hide() { ShowWindow(Handle(), SW_HIDE); }
    // Lets the messages that are waiting through, with the form's keys,
    // and returns without waiting for more or raising the idle event.
    void ProcessMessages();

    // The control that has, or gets when the form shows, the focus. Set
    // while the form shows, it takes the focus as the dialog manager gives
    // it: an edit's whole text selected, the default button in step.
    HWND ActiveControl() const { return FActiveControl; }
    void SetActiveControl(HWND control);
    // The first control in tab order that can take the focus, or nullptr.
    HWND FirstTabStop() const;

    // Scales a length given at 120 pixels per inch to the form's density.
    int Scale(int pixels) const { return MulDiv(pixels, FDpi, 120); }
    // The density the form is laid out at: its monitor's.
    int Dpi() const { return FDpi; }

    // Checks a radio button or check box; a radio button unchecks the
    // others of its group. Fires the control's click handler on a change,
    // as a click would.
    void SetChecked(HWND control, bool checked);

protected:
    // The handlers a form binds to its controls.
    void OnClick(HWND control, std::function<void()> handler) { FClickHandlers[control] = std::move(handler); }
    void OnExit(HWND control, std::function<void()> handler) { FExitHandlers[control] = std::move(handler); }
    // Each change of an edit's text or of a drop-down list's selection, by
    // the user or by the program.
    void OnChange(HWND control, std::function<void()> handler) { FChangeHandlers[control] = std::move(handler); }
    // A key combination (virtual key with FCONTROL, FSHIFT, FALT) that runs
    // handler while the form is active.
    void AddShortcut(WORD key, BYTE modifiers, std::function<void()> handler);

    // Asked before the form closes with a modal result; may raise, which
    // keeps the form open and shows the error.
    virtual void FormCloseQuery(bool& canClose) { canClose = true; }
    // Messages the form does not handle itself; return true when handled.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After the form has been laid out anew at another density: redoes
    // what the form sized or loaded for its density itself, as its
    // construction did.
    virtual void DpiChanged() {}

    // Runs an event handler; an error that leaves it is shown once. False
    // when one did. Every handler of the form runs through here.
    template <class Handler>
    bool RunHandler(Handler&& handler)
    {
        try {
            handler();
            return true;
        } catch (...) {
            Application.HandleException();
            return false;
        }
    }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls(const TFormDesc& description);
    TOwnedFont MakeFont() const;
    void LoadIcons();
    // Lays the form out anew at the density, and gives its window the
    // rectangle Windows suggests for it there.
    void ChangeDpi(int dpi, const RECT& suggested);
    // Where a control of the description lies in the client area of the
    // description's size, at the form's density.
    RECT ScaledBounds(const RECT& described, bool dropDown) const;
    // The same for a control that LayOut places.
    RECT AnchoredBounds(const RECT& described, bool dropDown) const;
    void Command(HWND control, WORD code, WORD id);
    void Click(HWND control);
    void Activate();
    void RunModalLoop();
    void HandleQueued(MSG& message);
    bool RefusesToLeave(const MSG& message);
    bool IsKeyboardMove(const MSG& message) const;
    bool HasAccessKey(WCHAR key) const;
    void TrackFocus();
    void UpdateDefaultButton(HWND focus);
    bool TryClose();
    void UpdateRadioTabStops(HWND radio);
    HWND ButtonWith(unsigned flag) const;
    // Puts the anchored controls where the client area's size puts them.
    void LayOut(int width, int height);
    void SetMinimumSize(MINMAXINFO& limits) const;

    int FDpi;
    // What a change of density lays out anew, at 120 pixels per inch.
    int FFontHeight;
    SIZE FDescribedClient;
    bool FHasIcons;
    int FModalResult = mrNone;
    HWND FActiveControl = nullptr;
    TOwnedFont FFont;
    TOwnedIcon FSmallIcon;
    TOwnedIcon FLargeIcon;
    TOwnedAcceleratorTable FAccelerators;
    std::map<std::string, HWND> FControls;
    std::map<HWND, unsigned> FFlags;
    std::map<HWND, int> FModalResults;
    std::map<HWND, std::function<void()>> FClickHandlers;
    std::map<HWND, std::function<void()>> FExitHandlers;
    std::map<HWND, std::function<void()>> FChangeHandlers;
    // Every control with a window, with its rectangle in the client area as
    // the description gives it, and the edges it keeps to.
    struct TPlaced {
        HWND Window;
        RECT Described;
        TControlKind Kind;
        unsigned Anchors;
    };
    std::vector<TPlaced> FPlaced;
    // Whether any control does not simply stay at the top left.
    bool FAnchored = false;
    SIZE FDesignClient = {0, 0};
    std::vector<std::function<void()>> FShortcutHandlers;
    std::vector<ACCEL> FShortcuts;
    // Last, so that it goes first: its last messages find the form whole.
    TOwnedWindow FHandle;
};
