#pragma once
// Owners for the Win32 handles of windows, fonts, menus and accelerator tables: each frees
// its handle once, when it goes away.
#include <windows.h>

#include <utility>

namespace zerbo::win32 {

template <typename Handle, typename Free>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(std::exchange(other.h_, Handle{}));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Handle{}; }
    void reset(Handle h = Handle{}) {
        if (h_) Free{}(h_);
        h_ = h;
    }
    // Gives up ownership, for a handle that something else has freed or will free.
    Handle release() { return std::exchange(h_, Handle{}); }

private:
    Handle h_{};
};

struct WindowFree {
    void operator()(HWND h) const { DestroyWindow(h); }
};
struct GdiObjectFree {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct MenuFree {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct AcceleratorFree {
    void operator()(HACCEL h) const { DestroyAcceleratorTable(h); }
};

using UniqueWindow = UniqueHandle<HWND, WindowFree>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectFree>;
using UniqueMenu = UniqueHandle<HMENU, MenuFree>;
using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorFree>;

} // namespace zerbo::win32
