#pragma once
// The one owner of Win32 handles. TOwned<Traits> frees its handle exactly once, on every
// path; Release hands it to a new owner (the clipboard, a parent menu) that frees it from
// then on. Nothing outside this header calls a release function of the platform.
//
//   TGdiObject<HBITMAP> bitmap(CreateDIBSection(...));
//   TWindowDC dc(GetDC(hwnd), {hwnd});          // released with ReleaseDC(hwnd, dc)
//   TFile file(CreateFileW(...));                // INVALID_HANDLE_VALUE means none
//
// Traits name the handle type, the value that means "none" and how to free one; they may
// carry what freeing needs (the window of a DC, the DDE instance of a string handle).
#include <windows.h>
#include <ddeml.h>
#include <imm.h>
#include <objbase.h>

#include <utility>

namespace zerbo::win32 {

namespace detail {
// Handles held by owners right now, and handles given away by Release. A path that fails
// must leave both as they were: nothing still held, nothing handed over to be lost.
inline int gOwnedHandles = 0;
inline int gHandedOver = 0;
} // namespace detail

inline int OwnedHandleCount() { return detail::gOwnedHandles; }
inline int HandedOverCount() { return detail::gHandedOver; }

template <class Traits>
class TOwned : private Traits {
public:
    using Handle = typename Traits::Handle;

    TOwned() = default;
    explicit TOwned(Handle handle, Traits traits = Traits()) : Traits(std::move(traits)) { Reset(handle); }
    TOwned(const TOwned&) = delete;
    TOwned& operator=(const TOwned&) = delete;
    // A move changes the owner, not the number of handles owned.
    TOwned(TOwned&& other) noexcept
        : Traits(static_cast<Traits&&>(other)), FHandle(std::exchange(other.FHandle, Traits::Invalid())) {}
    TOwned& operator=(TOwned&& other) noexcept {
        if (this != &other) {
            Reset();
            static_cast<Traits&>(*this) = static_cast<Traits&&>(other);
            FHandle = std::exchange(other.FHandle, Traits::Invalid());
        }
        return *this;
    }
    ~TOwned() { Reset(); }

    Handle Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != Traits::Invalid(); }

    // Frees the handle held, then holds `handle`. The old one is let go before it is freed,
    // so that freeing may come back here (a window's WM_NCDESTROY) without freeing it twice.
    void Reset(Handle handle = Traits::Invalid()) {
        const Handle old = std::exchange(FHandle, handle);
        if (handle != Traits::Invalid()) ++detail::gOwnedHandles;
        if (old != Traits::Invalid()) {
            --detail::gOwnedHandles;
            this->Free(old);
        }
    }
    // The caller, or the system object it is given to, owns the handle from now on.
    [[nodiscard]] Handle Release() {
        if (FHandle != Traits::Invalid()) ++detail::gHandedOver;
        return Take();
    }
    // The handle was freed by someone else (a child window destroyed with its parent).
    void Forget() { (void)Take(); }

private:
    Handle Take() {
        if (FHandle != Traits::Invalid()) --detail::gOwnedHandles;
        return std::exchange(FHandle, Traits::Invalid());
    }

    Handle FHandle = Traits::Invalid();
};

// A handle freed by one platform function of one argument; null means none.
template <class H, auto FreeFunction>
struct TFreedBy {
    using Handle = H;
    static Handle Invalid() { return Handle{}; }
    static void Free(Handle h) { FreeFunction(h); }
};

using TWindow = TOwned<TFreedBy<HWND, &DestroyWindow>>;
using TMenu = TOwned<TFreedBy<HMENU, &DestroyMenu>>;
using TAccelerators = TOwned<TFreedBy<HACCEL, &DestroyAcceleratorTable>>;
using TIcon = TOwned<TFreedBy<HICON, &DestroyIcon>>;
// HBITMAP, HFONT, HBRUSH, HPEN.
template <class H>
using TGdiObject = TOwned<TFreedBy<H, &DeleteObject>>;
using TMemoryDC = TOwned<TFreedBy<HDC, &DeleteDC>>;
using TEnhMetafile = TOwned<TFreedBy<HENHMETAFILE, &DeleteEnhMetaFile>>;
using TWinMetafileHandle = TOwned<TFreedBy<HMETAFILE, &DeleteMetaFile>>;
using TGlobalMemory = TOwned<TFreedBy<HGLOBAL, &GlobalFree>>;
using TLocalMemory = TOwned<TFreedBy<HLOCAL, &LocalFree>>;
using TRegistryKey = TOwned<TFreedBy<HKEY, &RegCloseKey>>;
// Mutexes, events, file mappings, processes: null means none.
using TKernelObject = TOwned<TFreedBy<HANDLE, &CloseHandle>>;
using TMappedView = TOwned<TFreedBy<void*, &UnmapViewOfFile>>;

// A DDE management library instance; 0 means none.
using TDdeInstance = TOwned<TFreedBy<DWORD, &DdeUninitialize>>;

// A DDE string handle, freed in the instance that made it.
struct TDdeStringTraits {
    using Handle = HSZ;
    DWORD Instance = 0;
    static Handle Invalid() { return nullptr; }
    void Free(Handle h) const { DdeFreeStringHandle(Instance, h); }
};
using TDdeString = TOwned<TDdeStringTraits>;

// A class object registered with COM, by its cookie.
using TClassRegistration = TOwned<TFreedBy<DWORD, &CoRevokeClassObject>>;

// A COM interface pointer holding one reference.
template <class Interface>
struct TComTraits {
    using Handle = Interface*;
    static Handle Invalid() { return nullptr; }
    static void Free(Handle p) { p->Release(); }
};
template <class Interface>
using TComPtr = TOwned<TComTraits<Interface>>;

// Files answer INVALID_HANDLE_VALUE for none.
struct TFileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Free(Handle h) { CloseHandle(h); }
};
using TFile = TOwned<TFileTraits>;

// A device context lent by a window (GetDC), given back to that window.
struct TWindowDCTraits {
    using Handle = HDC;
    HWND Window = nullptr;
    static Handle Invalid() { return nullptr; }
    void Free(Handle h) const { ReleaseDC(Window, h); }
};
using TWindowDC = TOwned<TWindowDCTraits>;

// The input method context of a window (ImmGetContext), given back to that window.
struct TImeContextTraits {
    using Handle = HIMC;
    HWND Window = nullptr;
    static Handle Invalid() { return nullptr; }
    void Free(Handle h) const { ImmReleaseContext(Window, h); }
};
using TImeContext = TOwned<TImeContextTraits>;

// The screen's device context for the scope.
class TScreenDC : public TWindowDC {
public:
    TScreenDC() : TWindowDC(GetDC(nullptr)) {}
};

// An enhanced metafile being recorded: a recording that never completes leaves nothing.
struct TRecordingTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Free(Handle h) { DeleteEnhMetaFile(CloseEnhMetaFile(h)); }
};
using TRecordingDC = TOwned<TRecordingTraits>;

// Scopes that give something back at their end -------------------------------------------

// An object selected into a DC for the scope; the DC gets its previous object back.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;
    ~TSelection() {
        if (FOld && FOld != HGDI_ERROR) SelectObject(FDC, FOld);
    }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// A locked global block; null when locking fails.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL block) : FBlock(block), FData(GlobalLock(block)) {}
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    ~TGlobalLock() {
        if (FData) GlobalUnlock(FBlock);
    }
    void* Data() const { return FData; }

private:
    HGLOBAL FBlock;
    void* FData;
};

// The painting of a window's WM_PAINT.
class TPaint {
public:
    explicit TPaint(HWND hwnd) : FWindow(hwnd), FDC(BeginPaint(hwnd, &FPaint)) {}
    TPaint(const TPaint&) = delete;
    TPaint& operator=(const TPaint&) = delete;
    ~TPaint() { EndPaint(FWindow, &FPaint); }
    HDC DC() const { return FDC; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDC;
};

// COM on this thread, single-threaded apartment, for the scope.
class TComApartment {
public:
    TComApartment() : FJoined(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;
    ~TComApartment() {
        if (FJoined) CoUninitialize();
    }

private:
    bool FJoined;
};

// A mutex owned for the scope, when the wait for it succeeded (also when its last owner
// ended without letting go: what it guarded is ours to make whole again).
class TMutexOwnership {
public:
    TMutexOwnership(HANDLE mutex, DWORD timeoutMs) : FMutex(mutex) {
        const DWORD got = mutex ? WaitForSingleObject(mutex, timeoutMs) : WAIT_FAILED;
        FOwned = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    }
    TMutexOwnership(const TMutexOwnership&) = delete;
    TMutexOwnership& operator=(const TMutexOwnership&) = delete;
    ~TMutexOwnership() {
        if (FOwned) ReleaseMutex(FMutex);
    }
    bool Owned() const { return FOwned; }

private:
    HANDLE FMutex;
    bool FOwned;
};

// The clipboard open for the scope; IsOpen is false when another program holds it.
class TClipboardOpen {
public:
    explicit TClipboardOpen(HWND owner) : FOpen(OpenClipboard(owner) != 0) {}
    TClipboardOpen(const TClipboardOpen&) = delete;
    TClipboardOpen& operator=(const TClipboardOpen&) = delete;
    ~TClipboardOpen() {
        if (FOpen) CloseClipboard();
    }
    bool IsOpen() const { return FOpen; }

private:
    bool FOpen;
};

} // namespace zerbo::win32
