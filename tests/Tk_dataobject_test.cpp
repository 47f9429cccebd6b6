// The items of a data object from another program, which may lie about
// what its memory holds: a lie gets no items, never a read past the memory.
#include "Tk_comobject.h"
#include "Tk_dataobject.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

namespace {

// Offers one format, as global memory of the bytes given.
class TBytesData : public TComObject<IDataObject> {
public:
    TBytesData(CLIPFORMAT format, std::string bytes) : FFormat(format), FBytes(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (format->cfFormat != FFormat || !(format->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = GlobalAlloc(GMEM_MOVEABLE, FBytes.size());
        std::memcpy(GlobalLock(medium->hGlobal), FBytes.data(), FBytes.size());
        GlobalUnlock(medium->hGlobal);
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    CLIPFORMAT FFormat;
    std::string FBytes;
};

std::string Bytes(std::initializer_list<unsigned> words)
{
    std::string bytes;
    for (unsigned word : words)
        bytes.append(reinterpret_cast<const char*>(&word), sizeof word);
    return bytes;
}

// A DROPFILES header in UTF-16, its paths at pFiles.
std::string FileList(unsigned pFiles, const std::wstring& paths)
{
    return Bytes({pFiles, 0, 0, 0, 1}) + std::string(reinterpret_cast<const char*>(paths.data()), paths.size() * 2);
}

std::vector<TDataItem> Items(CLIPFORMAT format, const std::string& bytes)
{
    TBytesData* data = new TBytesData(format, bytes);
    const std::vector<TDataItem> items = DataObjectItems(data);
    EXPECT_EQ(HoldsFileSystemItem(data), !items.empty());
    data->Release();
    return items;
}

}

TEST(TkDataObject, ALyingShellIdListOrFileListGivesNothing)
{
    const CLIPFORMAT idList = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(CFSTR_SHELLIDLIST));
    // A count of a thousand items in sixteen bytes; an offset past the end;
    // an item ID whose size runs past the end; one whose size is below its own.
    for (const std::string& lie : {Bytes({1000, 8, 8, 0}), Bytes({1, 12, 4000}) + std::string(4, '\0'),
                                   Bytes({1, 12, 12, 0x00000040}), Bytes({1, 12, 12, 0x00000001})})
        EXPECT_TRUE(Items(idList, lie).empty());

    // Two paths and the list's end; the same without the second path's end.
    const std::wstring two(L"C:\\a.txt\0C:\\b\0\0", 15);
    const std::wstring last = two.substr(0, 13);
    EXPECT_TRUE(Items(CF_HDROP, FileList(4000, two)).empty());
    EXPECT_TRUE(Items(CF_HDROP, "\x14").empty());
    // The last path lacks its end: only the whole ones count.
    const std::vector<TDataItem> items = Items(CF_HDROP, FileList(20, last));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Text, "C:\\a.txt");
    EXPECT_EQ(Items(CF_HDROP, FileList(20, two)).size(), 2u);
}
