#include "App_PreviewDialog.h"

#include "App_PreviewDialogForm.h"
#include "App_texts.h"
#include "Kro_files.h"
#include "Tk_application.h"
#include "Tk_controls.h"
#include "Tk_format.h"
#include "Tk_paths.h"
#include "Tk_texts.h"

#include <commctrl.h>

TPreviewDialog* PreviewDialog = nullptr;

TPreviewDialog* GetPreviewDialog()
{
    if (!PreviewDialog)
        PreviewDialog = Application.CreateForm<TPreviewDialog>();
    return PreviewDialog;
}

namespace {

const std::string NoNote;

}

TPreviewDialog::TPreviewDialog()
    : TAppDialog(PreviewDialogForm()),
      Label2(Control("Label2")),
      ComboBox1(Control("ComboBox1")),
      CheckBox1(Control("CheckBox1")),
      Edit1(Control("Edit1")),
      ListView1(Control("ListView1")),
      Label5(Control("Label5"))
{
    OnChange(ComboBox1, [this] { Replan(); });
    OnClick(CheckBox1, [this] { Replan(); });
    OnChange(Edit1, [this] { Replan(); });
}

bool TPreviewDialog::Execute()
{
    // The choices go in first, each of them without a plan of its own.
    FShowing = false;
    SetItemIndex(ComboBox1, GroupSources);
    SetChecked(CheckBox1, MoveSources);
    SetText(Edit1, Name);
    FShowing = true;
    ListView::SetColumnShares(ListView1, {35, 30, 35});
    // A new run's list starts at its top.
    ListView::SetRowCount(ListView1, 0);
    Replan();
    SetActiveControl(ListView1);
    const bool ok = ShowModal() == mrOk;
    // The run needs the plan, not what it read to make it.
    FPlan.ForgetListings();
    return ok;
}

void TPreviewDialog::Replan()
{
    if (!FShowing)
        return;
    const TGroupSources grouping = static_cast<TGroupSources>(ItemIndex(ComboBox1));
    const bool allInOne = grouping == gsAllSources;
    SetEnabled(Edit1, allInOne);
    const std::string name = TrimBlanks(Text(Edit1));
    // A name that cannot be taken leaves the last plan shown, and says why.
    if (allInOne) {
        if (const char* refusal = DirectoryNameRefusal(name)) {
            SetText(Label5, refusal);
            return;
        }
    }
    TDoubleExecutor executor(*Rules);
    executor.GroupSources = grouping;
    executor.MoveSource = Checked(CheckBox1);
    executor.DirectoryName = name;
    if (AtSource && !allInOne)
        SetText(Label2, Text(IDS_PREVIEW_AT_SOURCE));
    else
        SetText(Label2, AtSource && !Sources.empty() ? ExtractFileDir(Sources.front()) : Rules->OutputDirectory);
    FPlan.Make(executor, Sources, AtSource);
    FGroupSources = grouping;
    FName = name;
    ListView::SetRowCount(ListView1, static_cast<int>(Sources.size()));
    UpdateSummary();
}

void TPreviewDialog::UpdateSummary()
{
    std::string summary =
        Format(Text(IDS_SUMMARY), Counted(Sources.size(), Text(IDS_SOURCE), Text(IDS_SOURCES)),
               Counted(static_cast<unsigned>(FPlan.NewDirectories()), Text(IDS_NEW_DIRECTORY),
                       Text(IDS_NEW_DIRECTORIES)));
    if (Checked(CheckBox1))
        summary = Format(Text(IDS_SUMMARY_MORE), summary,
                         Counted(static_cast<unsigned>(FPlan.Moves()), Text(IDS_MOVE), Text(IDS_MOVES)));
    if (FPlan.Failures() > 0)
        summary = Format(Text(IDS_SUMMARY_MORE), summary,
                         Counted(static_cast<unsigned>(FPlan.Failures()), Text(IDS_FAILURE), Text(IDS_FAILURES)));
    SetText(Label5, Format(Text(IDS_SENTENCE), summary));
}

const std::string& TPreviewDialog::Cell(int row, int column) const
{
    if (row < 0 || static_cast<size_t>(row) >= FPlan.Sources().size())
        return NoNote;
    const TPlannedSource& planned = FPlan.Sources()[static_cast<size_t>(row)];
    switch (column) {
    case 0:
        return Sources[static_cast<size_t>(row)];
    case 1:
        return planned.Directory;
    default:
        switch (planned.Kind) {
        case pkNumberedDirectory: {
            static const std::string note = Text(IDS_PREVIEW_NUMBERED);
            return note;
        }
        case pkSharedDirectory: {
            static const std::string note = Text(IDS_PREVIEW_SHARED);
            return note;
        }
        case pkFailure:
            return ShownReason(planned.Reason);
        default:
            return NoNote;
        }
    }
}

// A reason comes from the plan in English; each is translated once.
const std::string& TPreviewDialog::ShownReason(const std::string& reason) const
{
    auto shown = FShownReasons.find(reason);
    if (shown == FShownReasons.end())
        shown = FShownReasons.emplace(reason, Translated(reason)).first;
    return shown->second;
}

bool TPreviewDialog::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return false;
    const NMHDR& notification = *reinterpret_cast<const NMHDR*>(lParam);
    if (notification.hwndFrom != ListView1)
        return false;
    result = 0;
    if (ListView::AnswerCellRequest(notification, [this](int row, int column) -> const std::string& {
            return Cell(row, column);
        }))
        return true;
    if (notification.code != LVN_KEYDOWN || GetKeyState(VK_CONTROL) >= 0)
        return false;
    switch (reinterpret_cast<const NMLVKEYDOWN&>(notification).wVKey) {
    case 'A':
        ListView::SelectAllRows(ListView1);
        return true;
    case 'C':
        CopyRows();
        return true;
    default:
        return false;
    }
}

// As the failed-entries dialog copies: one line a row, here its cells
// separated by tabs.
void TPreviewDialog::CopyRows()
{
    std::string text;
    for (const int row : ListView::SelectedRows(ListView1))
        text += Cell(row, 0) + '\t' + Cell(row, 1) + '\t' + Cell(row, 2) + "\r\n";
    if (!text.empty())
        SetClipboardText(Handle(), text);
}

void TPreviewDialog::FormCloseQuery(bool&)
{
    if (ModalResult() != mrOk)
        return;
    const TGroupSources grouping = static_cast<TGroupSources>(ItemIndex(ComboBox1));
    const std::string name = TrimBlanks(Text(Edit1));
    if (grouping == gsAllSources) {
        if (const char* refusal = DirectoryNameRefusal(name))
            RaiseInputError(refusal, Edit1);
    }
    // What OK takes is what the list shows.
    if (grouping != FGroupSources || name != FName)
        Replan();
    GroupSources = grouping;
    MoveSources = Checked(CheckBox1);
    Name = name;
}
