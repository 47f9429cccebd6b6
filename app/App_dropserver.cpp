#include "App_dropserver.h"

#include "Tk_application.h"
#include "Tk_droptarget.h"
#include "Tk_localserver.h"
#include "Tk_params.h"

#include <memory>

// {AEFD9727-B9A8-48D3-BBBD-1A9F5391B483}; the installer registers it.
const CLSID DropTargetClassId = {0xAEFD9727, 0xB9A8, 0x48D3, {0xBB, 0xBD, 0x1A, 0x9F, 0x53, 0x91, 0xB4, 0x83}};

bool IsStartedForDrop()
{
    return IsEmbedding(ParamStrings());
}

std::vector<TDataItem> WaitForDrop()
{
    Application.InitializeOle();
    const auto state = std::make_shared<TDropState>();
    {
        TLocalServer server(DropTargetClassId, [state] { return NewDropTarget(state); });
        server.Serve([&] { return state->Dropped || state->Released; });
    }
    // The run starts only now, after Drop has returned to Explorer.
    return state->Items;
}
