// The items of a data object that another program hands over, as the shell's
// drag and drop and its verbs do: the one place where the program reads them.
// The data comes from another process and is read as untrusted: every count,
// offset and length is checked against the memory that holds it.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

enum TDataItemKind {
    // Text is the item's file-system path.
    dkPath,
    // An item outside the file system, such as a Control Panel item or a
    // file inside a zip folder: Text is the name the shell shows for it.
    dkNotInFileSystem,
    // A path with characters that the program's code page lacks: Text has a
    // "?" for each of them and is fit for a message only.
    dkLacking,
};

struct TDataItem {
    TDataItemKind Kind;
    std::string Text;
};

// Every item, in the data object's order: from the shell's ID list when the
// data object has one, which knows paths of any length and items outside the
// file system, or else from its list of files (CF_HDROP). Empty when it holds
// neither, or nothing that can be read.
std::vector<TDataItem> DataObjectItems(IDataObject* data);

// True when at least one item is in the file system; reads no further than
// the first such item.
bool HoldsFileSystemItem(IDataObject* data);
