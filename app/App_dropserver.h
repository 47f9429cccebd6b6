// The program as Explorer's drop target. Registered per user (by the
// installer) under its class below, it gets Send To, a drop on the program
// and its verb on files and folders as a data object rather than a command
// line, so that no selection is too large for it.
#pragma once

#include "Tk_dataobject.h"

#include <objbase.h>

#include <vector>

// The class of the drop target; the same in every version.
extern const CLSID DropTargetClassId;

// True when COM started the program to serve its drop target.
bool IsStartedForDrop();

// Serves the drop target until the first drop: its items, or none when COM
// released the target without a drop, or no client came at all.
std::vector<TDataItem> WaitForDrop();
