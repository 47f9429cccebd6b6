#include "Tk_dataobject.h"

#include "Tk_handles.h"
#include "Tk_strings.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Windows' own limit for a path, NUL included.
const DWORD LongestPath = 32768;

// One format of the data object in global memory, locked for the scope.
class TGlobalData {
public:
    TGlobalData(IDataObject* data, CLIPFORMAT format)
    {
        FORMATETC request = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (FAILED(data->GetData(&request, &FMedium)))
            return;
        FHeld = true;
        if (FMedium.tymed == TYMED_HGLOBAL && FMedium.hGlobal) {
            FBytes = static_cast<const BYTE*>(GlobalLock(FMedium.hGlobal));
            FSize = FBytes ? GlobalSize(FMedium.hGlobal) : 0;
        }
    }
    ~TGlobalData()
    {
        if (FBytes)
            GlobalUnlock(FMedium.hGlobal);
        if (FHeld)
            ReleaseStgMedium(&FMedium);
    }
    TGlobalData(const TGlobalData&) = delete;
    TGlobalData& operator=(const TGlobalData&) = delete;

    const BYTE* Bytes() const { return FBytes; }
    size_t Size() const { return FSize; }

    // The value of type T at offset, when the memory holds all of it.
    template <class T>
    bool Read(size_t offset, T& value) const
    {
        if (!FBytes || offset > FSize || FSize - offset < sizeof(T))
            return false;
        std::memcpy(&value, FBytes + offset, sizeof(T));
        return true;
    }

private:
    STGMEDIUM FMedium = {};
    bool FHeld = false;
    const BYTE* FBytes = nullptr;
    size_t FSize = 0;
};

struct TFreeIdList {
    void operator()(ITEMIDLIST* list) const { ILFree(list); }
};
using TOwnedIdList = std::unique_ptr<ITEMIDLIST, TFreeIdList>;

// Gets each item; false from it stops the walk.
using TItemSink = std::function<bool(const TDataItem& item)>;

TDataItem PathItem(const wchar_t* path)
{
    TDataItem item = {dkPath, std::string()};
    if (!WideToAnsi(path, item.Text))
        item.Kind = dkLacking;
    return item;
}

// The number of items of the ID list at offset, whose sizes must lead to
// its closing zero within the memory; -1 when they do not.
int IdListLength(const TGlobalData& global, size_t offset)
{
    int length = 0;
    for (USHORT size; global.Read(offset, size); offset += size, ++length) {
        if (size == 0)
            return length;
        if (size < sizeof size)
            return -1;
    }
    return -1;
}

// The text of a name that the shell gave, or "" with none.
std::vector<wchar_t> ShellText(HRESULT result, STRRET& text, PCUITEMID_CHILD item)
{
    std::vector<wchar_t> name;
    wchar_t* got = nullptr;
    if (SUCCEEDED(result) && SUCCEEDED(StrRetToStrW(&text, item, &got))) {
        name.assign(got, got + lstrlenW(got));
        CoTaskMemFree(got);
    }
    name.push_back(L'\0');
    return name;
}

TDataItem OutsideItem(const wchar_t* name)
{
    // Shown, never used as a path: a "?" for what the code page lacks.
    TDataItem item = {dkNotInFileSystem, std::string()};
    WideToAnsi(name, item.Text);
    return item;
}

// An item of the folder, asked of the folder itself: what SHGetPathFromIDListEx
// asks too, but without binding to the folder anew from the desktop down for
// every item, which under Wine costs a millisecond an item and more the
// deeper the folder lies.
TDataItem FolderItem(IShellFolder* folder, PCUITEMID_CHILD child)
{
    SFGAOF attributes = SFGAO_FILESYSTEM;
    STRRET text = {};
    if (SUCCEEDED(folder->GetAttributesOf(1, &child, &attributes)) && (attributes & SFGAO_FILESYSTEM)) {
        const std::vector<wchar_t> path = ShellText(folder->GetDisplayNameOf(child, SHGDN_FORPARSING, &text), text, child);
        if (path[0])
            return PathItem(path.data());
    }
    return OutsideItem(ShellText(folder->GetDisplayNameOf(child, SHGDN_NORMAL, &text), text, child).data());
}

// An item whose ID list goes further down than the folder's own items, as in
// search results, which list items of many folders under the desktop.
TDataItem DeepItem(PCIDLIST_ABSOLUTE list)
{
    std::vector<wchar_t> path(LongestPath);
    if (SHGetPathFromIDListEx(list, path.data(), LongestPath, GPFIDL_DEFAULT) && path[0])
        return PathItem(path.data());
    wchar_t* name = nullptr;
    const TDataItem item = OutsideItem(SUCCEEDED(SHGetNameFromIDList(list, SIGDN_NORMALDISPLAY, &name)) ? name : L"");
    CoTaskMemFree(name);
    return item;
}

// The shell's ID list array: a count, then the offset of the parent folder's
// list and of each item's list, relative to that folder. False when the data
// object has none that can be read.
bool WalkShellIdLists(IDataObject* data, const TItemSink& sink)
{
    static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(CFSTR_SHELLIDLIST));
    const TGlobalData global(data, format);
    UINT count = 0;
    if (!global.Read(0, count) || count > global.Size() / sizeof(UINT))
        return false;
    std::vector<UINT> offsets(count + 1);
    std::vector<int> lengths(count + 1);
    for (UINT i = 0; i <= count; ++i) {
        if (!global.Read((i + 1) * sizeof(UINT), offsets[i]) || (lengths[i] = IdListLength(global, offsets[i])) < 0)
            return false;
    }
    const auto* parent = reinterpret_cast<PCIDLIST_ABSOLUTE>(global.Bytes() + offsets[0]);
    TComPointer<IShellFolder> folder;
    IShellFolder* bound = nullptr;
    // The desktop is the root that others are bound from, not bound itself.
    if (lengths[0] == 0 ? SUCCEEDED(SHGetDesktopFolder(&bound))
                        : SUCCEEDED(SHBindToObject(nullptr, parent, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&bound))))
        folder.reset(bound);
    for (UINT i = 1; i <= count; ++i) {
        const BYTE* child = global.Bytes() + offsets[i];
        TDataItem item;
        if (folder && lengths[i] == 1) {
            item = FolderItem(folder.get(), reinterpret_cast<PCUITEMID_CHILD>(child));
        } else {
            const TOwnedIdList list(ILCombine(parent, reinterpret_cast<PCUIDLIST_RELATIVE>(child)));
            if (!list)
                continue;
            item = DeepItem(list.get());
        }
        if (!sink(item))
            break;
    }
    return true;
}

// The list of files: a DROPFILES header, then at its offset the paths, each
// ending in NUL and the last one followed by another NUL, in UTF-16 or in
// the sender's code page. A path whose end lies beyond the memory is not
// taken.
void WalkFileList(IDataObject* data, const TItemSink& sink)
{
    const TGlobalData global(data, CF_HDROP);
    DROPFILES header;
    if (!global.Read(0, header) || header.pFiles > global.Size())
        return;
    const char* bytes = reinterpret_cast<const char*>(global.Bytes()) + header.pFiles;
    const size_t size = global.Size() - header.pFiles;
    std::vector<wchar_t> text;
    if (header.fWide) {
        text.resize(size / sizeof(wchar_t));
        std::memcpy(text.data(), bytes, text.size() * sizeof(wchar_t));
    } else if (size > 0) {
        // Its NULs stay NULs.
        text.resize(size);
        text.resize(static_cast<size_t>(
            MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(size), text.data(), static_cast<int>(size))));
    }
    for (size_t at = 0; at < text.size() && text[at];) {
        const size_t end = std::find(text.begin() + at, text.end(), L'\0') - text.begin();
        if (end == text.size() || !sink(PathItem(&text[at])))
            return;
        at = end + 1;
    }
}

void WalkItems(IDataObject* data, const TItemSink& sink)
{
    if (!WalkShellIdLists(data, sink))
        WalkFileList(data, sink);
}

}

std::vector<TDataItem> DataObjectItems(IDataObject* data)
{
    std::vector<TDataItem> items;
    WalkItems(data, [&](const TDataItem& item) {
        items.push_back(item);
        return true;
    });
    return items;
}

bool HoldsFileSystemItem(IDataObject* data)
{
    bool found = false;
    WalkItems(data, [&](const TDataItem& item) {
        found = item.Kind != dkNotInFileSystem;
        return !found;
    });
    return found;
}
