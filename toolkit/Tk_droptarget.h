// A drop target that takes the items of one drop and keeps them for the
// program to act on once the call has returned: the dropping program waits on
// Drop, so nothing slow may happen inside it.
#pragma once

#include "Tk_dataobject.h"

#include <ole2.h>

#include <memory>
#include <vector>

// What the drop target has seen; shared with it, since COM may release the
// target at any time, even after the program has stopped looking.
struct TDropState {
    // The items of the first drop that held a file-system item.
    std::vector<TDataItem> Items;
    bool Dropped = false;
    // GetTickCount at the drop.
    DWORD DroppedAt = 0;
    // Every client has let the target go.
    bool Released = false;
};

// A new drop target, with one reference for the caller. It accepts a data
// object that holds at least one file-system item, as a copy or, where the
// source allows no copy, as a link, and never as a move: the source must
// keep its data. Drops after the first are refused.
IDropTarget* NewDropTarget(const std::shared_ptr<TDropState>& state);
