#include "win32/ipc/WinClipboard.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "core/Error.h"
#include "gfx/Bitmap.h"
#include "win32/base/SystemError.h"
#include "win32/gdi/WinGraphics.h"

namespace zerbo::win32 {

using gfx::EClipboardError;

namespace {

// How long a read waits for another program to let go of the clipboard.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 10;

// "<what failed>: <the platform's reason>".
[[noreturn]] void RaiseClipboardError(std::u16string_view what) {
    const DWORD error = GetLastError();
    throw EClipboardError(std::u16string(what) + u": " + SystemErrorMessage(error));
}

// A screen-compatible copy of the bitmap's pixels: what other programs expect of CF_BITMAP.
TGdiObject<HBITMAP> CopyBitmap(const gfx::TBitmapGraphic& source) {
    const gfx::TBitmap24 pixels = source.ToBitmap24();
    TScreenDC screen;
    TGdiObject<HBITMAP> copy(CreateCompatibleBitmap(screen.Get(), pixels.Width(), pixels.Height()));
    if (!copy || pixels.Empty()) return copy;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = pixels.Width();
    info.bmiHeader.biHeight = -pixels.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    if (!SetDIBits(screen.Get(), copy.Get(), 0, static_cast<UINT>(pixels.Height()), pixels.Row(0), &info,
                   DIB_RGB_COLORS))
        copy.Reset();
    return copy;
}

// A handle of our own on the metafile's recording; null when it has none.
TEnhMetafile CopyEnhMetafile(const gfx::TMetafileGraphic& source) {
    const std::vector<std::uint8_t> bits = source.EnhMetafileBits();
    if (bits.empty()) return {};
    return TEnhMetafile(SetEnhMetaFileBits(static_cast<UINT>(bits.size()), bits.data()));
}

} // namespace

TWinClipboard::TWinClipboard(HWND owner) : FOwner(owner) {
    if (!FOwner) {
        FOwnWindow.Reset(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         GetModuleHandleW(nullptr), nullptr));
        FOwner = FOwnWindow.Get();
    }
}

// Opens, empties, sets and closes. The data stays ours, and is freed by its owner, until the
// clipboard has accepted it.
template <class Owned>
void TWinClipboard::Put(UINT format, Owned& data) {
    const TClipboardOpen session(FOwner);
    if (!session.IsOpen()) RaiseClipboardError(u"クリップボードを開けません");
    if (!EmptyClipboard()) RaiseClipboardError(u"クリップボードを空にできません");
    if (!SetClipboardData(format, data.Get())) RaiseClipboardError(u"クリップボードにデータを設定できません");
    (void)data.Release();
}

void TWinClipboard::PutGraphic(const gfx::TGraphic& graphic) {
    if (const auto* bitmap = dynamic_cast<const gfx::TBitmapGraphic*>(&graphic)) {
        TGdiObject<HBITMAP> copy = CopyBitmap(*bitmap);
        if (!copy) throw EClipboardError(u"クリップボードにデータを設定できません: ビットマップを複製できません");
        Put(CF_BITMAP, copy);
    } else if (const auto* metafile = dynamic_cast<const gfx::TMetafileGraphic*>(&graphic)) {
        TEnhMetafile copy = CopyEnhMetafile(*metafile);
        if (!copy) return; // nothing recorded: nothing to put
        Put(CF_ENHMETAFILE, copy);
    }
}

void TWinClipboard::PutMetafilePict(const gfx::TMetafileGraphic& metafile) {
    const TEnhMetafile source = CopyEnhMetafile(metafile);
    if (!source) return;
    TWinMetafileHandle converted;
    {
        TScreenDC screen;
        const UINT size = GetWinMetaFileBits(source.Get(), 0, nullptr, MM_ANISOTROPIC, screen.Get());
        if (size == 0) return; // no Windows-metafile form: the clipboard stays as it is
        std::vector<BYTE> bits(size);
        if (GetWinMetaFileBits(source.Get(), size, bits.data(), MM_ANISOTROPIC, screen.Get()) == 0) return;
        converted.Reset(SetMetaFileBitsEx(size, bits.data()));
    }
    if (!converted) return;

    TGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(METAFILEPICT)));
    if (!block) return;
    {
        TGlobalLock lock(block.Get());
        if (!lock.Data()) return;
        METAFILEPICT pict{};
        pict.mm = MM_ANISOTROPIC;
        pict.xExt = PixelsToHundredthsMM(metafile.Width(), false);
        pict.yExt = PixelsToHundredthsMM(metafile.Height(), true);
        pict.hMF = converted.Get();
        std::memcpy(lock.Data(), &pict, sizeof pict);
    }
    Put(CF_METAFILEPICT, block);
    // The record handed the metafile to the clipboard with it.
    (void)converted.Release();
}

void TWinClipboard::PutText(std::u16string_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    TGlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block) throw EClipboardError(u"クリップボードにデータを設定できません: メモリが不足しています");
    {
        TGlobalLock lock(block.Get());
        if (!lock.Data()) throw EClipboardError(u"クリップボードにデータを設定できません: メモリが不足しています");
        std::memcpy(lock.Data(), text.data(), text.size() * sizeof(char16_t));
        static_cast<char16_t*>(lock.Data())[text.size()] = u'\0';
    }
    Put(CF_UNICODETEXT, block);
}

bool TWinClipboard::ReadText(std::u16string& text) {
    // The program that changed the clipboard may still hold it for a moment.
    std::optional<TClipboardOpen> session;
    for (int attempt = 0;; ++attempt) {
        session.emplace(FOwner);
        if (session->IsOpen()) break;
        session.reset();
        if (attempt == kOpenAttempts) RaiseClipboardError(u"クリップボードを開けません");
        Sleep(kOpenRetryMs);
    }
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return false;
    const TGlobalLock lock(data);
    if (!lock.Data()) return false;
    const auto* chars = static_cast<const char16_t*>(lock.Data());
    const size_t capacity = GlobalSize(data) / sizeof(char16_t);
    text.assign(chars, std::find(chars, chars + capacity, u'\0'));
    return true;
}

} // namespace zerbo::win32
