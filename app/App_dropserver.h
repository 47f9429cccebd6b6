// The program as Explorer's drop target. Registered per user (by the
// installer) under its classes below, it gets Send To, a drop on the program
// and the commands of its menu on files and folders as a data object rather
// than a command line, so that no selection is too large for it.
#pragma once

#include "Tk_dataobject.h"

#include <objbase.h>

#include <vector>

// The commands of the menu on files and folders. Each has a class of its
// own, which COM starts the program for with the command's word before
// "-Embedding" (none for the first, which Send To and App Paths share), so
// that a process serves one command and two commands used at once are two
// runs, each with its own choices.
enum TExplorerCommand {
    ecCreateDirectories, // the options as they are set
    ecMoveEach,          // "/MoveEach": one directory for each name, sources moved
    ecMoveAll,           // "/MoveAll": one directory for all sources, sources moved
};

// The classes of the drop targets, by command; the same in every version.
extern const CLSID DropTargetClassId;
extern const CLSID MoveEachClassId;
extern const CLSID MoveAllClassId;

// True when COM started the program to serve a drop target; command is then
// the one it serves.
bool IsStartedForDrop(TExplorerCommand& command);

// Serves the command's drop target until the first drop: its items, or none
// when COM released the target without a drop, or no client came at all.
std::vector<TDataItem> WaitForDrop(TExplorerCommand command);
