#include "Tk_droptarget.h"

#include "Tk_comobject.h"

namespace {

class TDropTarget : public TComObject<IDropTarget> {
public:
    explicit TDropTarget(std::shared_ptr<TDropState> state) : FState(std::move(state)) {}
    ~TDropTarget() override { FState->Released = true; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        if (!effect)
            return E_POINTER;
        FAccepted = data && !FState->Dropped && HoldsFileSystemItem(data);
        *effect = Effect(*effect);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        if (!effect)
            return E_POINTER;
        *effect = Effect(*effect);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        FAccepted = false;
        return S_OK;
    }

    // Only copies the items: the caller waits until this returns.
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        if (!effect)
            return E_POINTER;
        FAccepted = false;
        if (data && !FState->Dropped) {
            std::vector<TDataItem> items = DataObjectItems(data);
            for (const TDataItem& item : items)
                FAccepted = FAccepted || item.Kind != dkNotInFileSystem;
            if (FAccepted) {
                FState->Items = std::move(items);
                FState->Dropped = true;
                FState->DroppedAt = GetTickCount();
            }
        }
        *effect = Effect(*effect);
        FAccepted = false;
        return S_OK;
    }

private:
    DWORD Effect(DWORD allowed) const
    {
        if (!FAccepted)
            return DROPEFFECT_NONE;
        if (allowed & DROPEFFECT_COPY)
            return DROPEFFECT_COPY;
        return allowed & DROPEFFECT_LINK;
    }

    bool FAccepted = false;
    std::shared_ptr<TDropState> FState;
};

}

IDropTarget* NewDropTarget(const std::shared_ptr<TDropState>& state)
{
    return new TDropTarget(state);
}
