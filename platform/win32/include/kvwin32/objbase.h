// The COM basics the platform speaks: result codes, the identifier type and its comparison,
// IUnknown, the task allocator (IMalloc, CoTaskMemAlloc/CoTaskMemFree) and CoInitialize, with their
// Windows names and values. Memory that the shell hands to a program (an item id list) comes from
// the task allocator, and the program gives it back there.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/windef.h"

// A COM result code: negative on failure.
using HRESULT = LONG;
using USHORT = unsigned short;

// A 128-bit class or interface identifier, laid out as on Windows.
struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
using CLSID = GUID;
using IID = GUID;
using REFCLSID = const CLSID&;
using REFIID = const IID&;

// Two identifiers are equal when all 128 bits are.
inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) {
            return false;
        }
    }
    return true;
}

// Result codes with their winerror.h values; guarded so that whichever header comes first wins.
#ifndef S_OK
#define S_OK (static_cast<HRESULT>(0L))
#endif
#ifndef S_FALSE
#define S_FALSE (static_cast<HRESULT>(1L))
#endif
#ifndef E_NOTIMPL
#define E_NOTIMPL (static_cast<HRESULT>(0x80004001L))
#endif
#ifndef E_NOINTERFACE
#define E_NOINTERFACE (static_cast<HRESULT>(0x80004002L))
#endif
#ifndef E_POINTER
#define E_POINTER (static_cast<HRESULT>(0x80004003L))
#endif
#ifndef E_FAIL
#define E_FAIL (static_cast<HRESULT>(0x80004005L))
#endif
#ifndef E_OUTOFMEMORY
#define E_OUTOFMEMORY (static_cast<HRESULT>(0x8007000EL))
#endif
#ifndef CLASS_E_CLASSNOTAVAILABLE
#define CLASS_E_CLASSNOTAVAILABLE (static_cast<HRESULT>(0x80040111L))
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG (static_cast<HRESULT>(0x80070057L))
#endif
#ifndef SUCCEEDED
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#endif
#ifndef FAILED
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#endif

// The root of every COM interface: reference counting and interface queries.
struct IUnknown {
    // Gives the interface iid of this object in *object, or E_NOINTERFACE.
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    // Adds a reference; returns the new count.
    virtual ULONG AddRef() = 0;
    // Drops a reference; returns the new count.
    virtual ULONG Release() = 0;

  protected:
    ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

// The task allocator: memory that crosses between a component and its caller.
struct IMalloc : IUnknown {
    // A new block of size bytes, or null.
    virtual void* Alloc(SIZE_T size) = 0;
    // The block resized (contents kept up to the smaller size), or null (the old block stays).
    virtual void* Realloc(void* block, SIZE_T size) = 0;
    // Frees a block (null is ignored).
    virtual void Free(void* block) = 0;
    // The size of a block, or (SIZE_T)-1 for null.
    virtual SIZE_T GetSize(void* block) = 0;
    // 1 when the block came from this allocator, 0 when not, -1 when it cannot tell.
    virtual int DidAlloc(void* block) = 0;
    // Gives unused memory back; nothing to do here.
    virtual void HeapMinimize() = 0;

  protected:
    ~IMalloc() = default;
};
using LPMALLOC = IMalloc*;

// Allocates size bytes from the task allocator (null when out of memory).
LPVOID CoTaskMemAlloc(SIZE_T size);
// Resizes a task allocator block (null block: a new one; size 0: frees and returns null).
LPVOID CoTaskMemRealloc(LPVOID block, SIZE_T size);
// Frees a task allocator block; null is ignored.
void CoTaskMemFree(LPVOID block);
// The task allocator (memContext must be 1, MEMCTX_TASK); AddRef'd.
HRESULT CoGetMalloc(DWORD memContext, LPMALLOC* malloc);
// Initialises COM on the thread: S_OK the first time, S_FALSE when it already was.
HRESULT CoInitialize(LPVOID reserved);
// Ends one CoInitialize of the thread.
void CoUninitialize();

#pragma GCC visibility pop
