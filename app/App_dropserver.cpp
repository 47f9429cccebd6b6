#include "App_dropserver.h"

#include "Tk_application.h"
#include "Tk_droptarget.h"
#include "Tk_localserver.h"
#include "Tk_params.h"

#include <memory>

namespace {

// How long a client that has dropped may take to let the target go.
const DWORD ReleaseLimit = 2000;

}

// The installer registers each of them.
// {AEFD9727-B9A8-48D3-BBBD-1A9F5391B483}
const CLSID DropTargetClassId = {0xAEFD9727, 0xB9A8, 0x48D3, {0xBB, 0xBD, 0x1A, 0x9F, 0x53, 0x91, 0xB4, 0x83}};
// {0AD49EF4-A0D4-40D5-8D36-1AB859BC2F38}
const CLSID MoveEachClassId = {0x0AD49EF4, 0xA0D4, 0x40D5, {0x8D, 0x36, 0x1A, 0xB8, 0x59, 0xBC, 0x2F, 0x38}};
// {E14CBCC7-DA38-43C7-BF9D-051A8FEBFFE7}
const CLSID MoveAllClassId = {0xE14CBCC7, 0xDA38, 0x43C7, {0xBF, 0x9D, 0x05, 0x1A, 0x8F, 0xEB, 0xFF, 0xE7}};

bool IsStartedForDrop(TExplorerCommand& command)
{
    const std::vector<std::string> arguments = ParamStrings();
    if (arguments.empty() || !IsEmbedding({arguments.back()}))
        return false;
    if (arguments.size() == 1) {
        command = ecCreateDirectories;
        return true;
    }
    if (arguments.size() != 2)
        return false;
    const struct {
        const char* Word;
        TExplorerCommand Command;
    } words[] = {{"/MoveEach", ecMoveEach}, {"/MoveAll", ecMoveAll}};
    for (const auto& word : words) {
        if (arguments[0] == word.Word) {
            command = word.Command;
            return true;
        }
    }
    return false;
}

std::vector<TDataItem> WaitForDrop(TExplorerCommand command)
{
    const CLSID* const classes[] = {&DropTargetClassId, &MoveEachClassId, &MoveAllClassId};
    Application.InitializeOle();
    const auto state = std::make_shared<TDropState>();
    {
        TLocalServer server(*classes[command], [state] { return NewDropTarget(state); });
        // Explorer lets the target go right after Drop, and waits on that
        // call too: the run starts only once it has returned, or a client
        // that keeps the target has had its time.
        server.Serve([&] {
            return state->Released || (state->Dropped && GetTickCount() - state->DroppedAt >= ReleaseLimit);
        });
    }
    return state->Items;
}
