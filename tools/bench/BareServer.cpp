// Benchmark reference: the least drop server under the same COM as Tesselo.
// Started by COM with -Embedding, it registers its class for one use, hands
// out a drop target that takes whatever enters, reads the paths of the
// dropped items and ends once the target is released.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// {B5A93A0B-DB0E-4E12-82AE-2E031BFB70BC}, its own, so that it never stands
// in for one of Tesselo's classes.
const CLSID BareServerClassId = {0xB5A93A0B, 0xDB0E, 0x4E12, {0x82, 0xAE, 0x2E, 0x03, 0x1B, 0xFB, 0x70, 0xBC}};

std::vector<std::wstring> HDropPaths(HGLOBAL memory)
{
    std::vector<std::wstring> paths;
    const HDROP drop = static_cast<HDROP>(memory);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, &path[0], static_cast<UINT>(path.size() + 1));
        paths.push_back(path);
    }
    return paths;
}

std::vector<std::wstring> IdListPaths(HGLOBAL memory)
{
    std::vector<std::wstring> paths;
    const auto* list = static_cast<const CIDA*>(GlobalLock(memory));
    if (!list)
        return paths;
    const auto* base = reinterpret_cast<const BYTE*>(list);
    const auto parent = reinterpret_cast<PCIDLIST_ABSOLUTE>(base + list->aoffset[0]);
    for (UINT i = 1; i <= list->cidl; ++i) {
        PIDLIST_ABSOLUTE item = ILCombine(parent, reinterpret_cast<PCUIDLIST_RELATIVE>(base + list->aoffset[i]));
        wchar_t path[MAX_PATH];
        if (item && SHGetPathFromIDListW(item, path))
            paths.push_back(path);
        ILFree(item);
    }
    GlobalUnlock(memory);
    return paths;
}

// The list of files, or the shell's ID list where there is none.
std::vector<std::wstring> DroppedPaths(IDataObject* data)
{
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium;
    std::vector<std::wstring> paths;
    if (SUCCEEDED(data->GetData(&format, &medium))) {
        paths = HDropPaths(medium.hGlobal);
    } else {
        format.cfFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(CFSTR_SHELLIDLIST));
        if (FAILED(data->GetData(&format, &medium)))
            return paths;
        paths = IdListPaths(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return paths;
}

class TBareTarget final : public IDropTarget {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown && iid != IID_IDropTarget) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&FReferences); }
    // The server's one object: its release ends the server.
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = InterlockedDecrement(&FReferences);
        if (left == 0) {
            PostQuitMessage(0);
            delete this;
        }
        return left;
    }
    STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override
    {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    STDMETHODIMP DragLeave() override { return S_OK; }
    STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        *effect = DroppedPaths(data).empty() ? DROPEFFECT_NONE : DROPEFFECT_COPY;
        return S_OK;
    }

private:
    LONG FReferences = 1;
};

class TBareFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // A static object: COM's references do not own it.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto* target = new TBareTarget;
        const HRESULT result = target->QueryInterface(iid, object);
        target->Release();
        return result;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    if (!std::strstr(commandLine, "Embedding"))
        return 2;
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    TBareFactory factory;
    DWORD cookie = 0;
    if (SUCCEEDED(CoRegisterClassObject(BareServerClassId, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie))) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        CoRevokeClassObject(cookie);
    }
    OleUninitialize();
    return 0;
}
