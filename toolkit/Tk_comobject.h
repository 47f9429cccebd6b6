// The IUnknown of a COM object that offers one interface and ends with its
// last reference.
#pragma once

#include <windows.h>
#include <unknwn.h>

template <class TInterface>
class TComObject : public TInterface {
public:
    TComObject() = default;
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (id != IID_IUnknown && id != __uuidof(TInterface)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<TInterface*>(this);
        AddRef();
        return S_OK;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FReferences)); }

    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG references = InterlockedDecrement(&FReferences);
        if (references == 0)
            delete this;
        return static_cast<ULONG>(references);
    }

protected:
    virtual ~TComObject() = default;

private:
    // The maker's.
    LONG FReferences = 1;
};
