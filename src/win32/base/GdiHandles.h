#pragma once
// Owners for the handles of GDI, global memory and the clipboard: each frees its handle on
// every path, and Release hands it to a new owner (the clipboard) that frees it from then on.
#include <windows.h>

#include <string>
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

// Free is a type with `static void Free(H)`.
template <class H, class Free>
class TOwned {
public:
    TOwned() = default;
    explicit TOwned(H handle) { Reset(handle); }
    TOwned(const TOwned&) = delete;
    TOwned& operator=(const TOwned&) = delete;
    TOwned(TOwned&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TOwned& operator=(TOwned&& other) noexcept {
        if (this != &other) {
            Reset();
            FHandle = std::exchange(other.FHandle, nullptr);
        }
        return *this;
    }
    ~TOwned() { Reset(); }

    H Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    void Reset(H handle = nullptr) {
        if (FHandle) {
            Free::Free(FHandle);
            --detail::gOwnedHandles;
        }
        FHandle = handle;
        if (FHandle) ++detail::gOwnedHandles;
    }
    // The caller (or the clipboard) owns the handle from now on.
    [[nodiscard]] H Release() {
        if (FHandle) {
            --detail::gOwnedHandles;
            ++detail::gHandedOver;
        }
        return std::exchange(FHandle, nullptr);
    }

private:
    H FHandle = nullptr;
};

struct FreeGdiObject {
    static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct FreeDC {
    static void Free(HDC h) { DeleteDC(h); }
};
struct FreeEnhMetafile {
    static void Free(HENHMETAFILE h) { DeleteEnhMetaFile(h); }
};
struct FreeMetafile {
    static void Free(HMETAFILE h) { DeleteMetaFile(h); }
};
struct FreeGlobal {
    static void Free(HGLOBAL h) { GlobalFree(h); }
};
struct FreeWindow {
    static void Free(HWND h) { DestroyWindow(h); }
};

template <class H>
using TGdiObject = TOwned<H, FreeGdiObject>; // HBITMAP, HFONT, HBRUSH, HPEN
using TMemoryDC = TOwned<HDC, FreeDC>;
using TEnhMetafile = TOwned<HENHMETAFILE, FreeEnhMetafile>;
using TWinMetafileHandle = TOwned<HMETAFILE, FreeMetafile>;
using TGlobalMemory = TOwned<HGLOBAL, FreeGlobal>;
using TWindow = TOwned<HWND, FreeWindow>;

// The screen's device context, released at the end of the scope.
class TScreenDC {
public:
    TScreenDC() : FDC(GetDC(nullptr)) {
        if (FDC) ++detail::gOwnedHandles;
    }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    ~TScreenDC() {
        if (FDC) {
            ReleaseDC(nullptr, FDC);
            --detail::gOwnedHandles;
        }
    }
    HDC Get() const { return FDC; }

private:
    HDC FDC;
};

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

// The platform's text for an error code, without the line break it ends with; the code
// itself when there is no text.
std::u16string SystemErrorMessage(DWORD error);

} // namespace zerbo::win32
