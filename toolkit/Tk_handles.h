// Single owners of the Windows resources the layer makes: whatever a step
// made is released when a later step fails, and nothing outlives its owner.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <memory>
#include <type_traits>

// Calls the platform function that releases a handle.
template <auto Release>
struct TRelease {
    template <class THandle>
    void operator()(THandle handle) const
    {
        Release(handle);
    }
};

template <class THandle, auto Release>
using TOwned = std::unique_ptr<std::remove_pointer_t<THandle>, TRelease<Release>>;

using TOwnedWindow = TOwned<HWND, DestroyWindow>;
using TOwnedFont = TOwned<HFONT, DeleteObject>;
using TOwnedIcon = TOwned<HICON, DestroyIcon>;
using TOwnedAcceleratorTable = TOwned<HACCEL, DestroyAcceleratorTable>;
using TOwnedMenu = TOwned<HMENU, DestroyMenu>;
using TOwnedGlobal = TOwned<HGLOBAL, GlobalFree>;
using TOwnedLocal = TOwned<HLOCAL, LocalFree>;

// A COM interface, released with its owner.
struct TReleaseInterface {
    void operator()(IUnknown* object) const { object->Release(); }
};

template <class TInterface>
using TComPointer = std::unique_ptr<TInterface, TReleaseInterface>;

// A file, closed with its owner; Close tells whether the system took the
// last of what was written.
class TFileHandle {
public:
    explicit TFileHandle(HANDLE handle) : FHandle(handle) {}
    ~TFileHandle() { Close(); }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return FHandle; }
    bool Close()
    {
        if (!Valid())
            return true;
        const bool closed = CloseHandle(FHandle) != 0;
        FHandle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE FHandle;
};

// The clipboard, open for the scope.
class TOpenClipboard {
public:
    // False when another window holds the clipboard.
    explicit TOpenClipboard(HWND owner) : FOpen(OpenClipboard(owner) != 0) {}
    ~TOpenClipboard()
    {
        if (FOpen)
            CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;

    bool IsOpen() const { return FOpen; }

private:
    bool FOpen;
};
