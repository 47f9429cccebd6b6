#include "Tk_localserver.h"

#include "Tk_comobject.h"
#include "Tk_exceptions.h"
#include "Tk_handles.h"

#include <windows.h>

namespace {

// How long a server waits for its first client.
const DWORD FirstClientLimit = 30000;

class TClassFactory : public TComObject<IClassFactory> {
public:
    explicit TClassFactory(TCreateObject create) : FCreate(std::move(create)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        const TComPointer<IUnknown> made(FCreate());
        if (!made)
            return E_OUTOFMEMORY;
        Created = true;
        return made->QueryInterface(id, object);
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override
    {
        // A server for one activation ends with its one object, locked or not.
        return S_OK;
    }

    bool Created = false;

private:
    TCreateObject FCreate;
};

}

bool IsEmbedding(const std::vector<std::string>& arguments)
{
    return arguments.size() == 1
        && (lstrcmpiA(arguments[0].c_str(), "-Embedding") == 0 || lstrcmpiA(arguments[0].c_str(), "/Embedding") == 0);
}

TLocalServer::TLocalServer(const CLSID& id, TCreateObject create)
{
    FFactory = new TClassFactory(std::move(create));
    if (FAILED(CoRegisterClassObject(id, FFactory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &FCookie))) {
        FFactory->Release();
        throw Exception("The program could not register itself with COM.");
    }
}

TLocalServer::~TLocalServer()
{
    CoRevokeClassObject(FCookie);
    FFactory->Release();
}

void TLocalServer::Serve(const std::function<bool()>& done)
{
    const auto* factory = static_cast<const TClassFactory*>(FFactory);
    const DWORD start = GetTickCount();
    // Wakes the loop now and then to look at the clock.
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, nullptr);
    MSG message;
    while (!done() && (factory->Created || GetTickCount() - start < FirstClientLimit)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The quit is the program's, not ours to take.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    KillTimer(nullptr, timer);
}
